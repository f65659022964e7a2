// The settings file's format: the INI syntax QSettings has always written it
// in, but read and written with every value kept as the text it is.
//
// QSettings' own INI reader turns a value such as "@Variant(...)" into the
// serialized Qt type it names, and decoding a hostile one overflows the
// stack or reserves gigabytes. This format hands QSettings the bytes of each
// value of the program's group as they stand in the file and writes them
// back the same way, so nothing is ever decoded. A value ends at its line
// end, whatever quotes or backslash it holds, so a damaged one costs no other
// line. The rest of the file (what stands before the first group, and every
// other group) is kept as text and written back byte for byte after the
// program's group. A format of our own (rather than reading the file by
// hand) keeps QSettings' lock file, its atomic replace of the file and its
// merge with a concurrent writer.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSettings>
#include <QString>

namespace selenara {

// The group of the program's own settings; the only one read as keys.
inline constexpr char ProgramGroup[] = "Optionen";

// The format, registered with QSettings on first use; files end in ".conf".
QSettings::Format TextIniFormat();

// The rule QSettings applies to every stored text, in a file and in the
// registry alike: "@@..." stands for "@...", "@String(...)" for the text in
// the brackets, and any other "@Type(...)" for a serialized Qt type, which is
// no text (false). Other texts stand as they are.
bool UnwrapStoredText(QString& text);
// The text with a leading '@' doubled, so that it reads back as itself.
QString WrapStoredText(const QString& text);

// What a stored value (its bytes as they stand in the file) says: the text
// by the INI quoting and escapes, one leading '@' of "@@" dropped. False for
// what is not one plain text: a list (a comma outside quotes) or a
// serialized type ("@Variant(...)", "@ByteArray(...)", ...).
bool IniValueText(const QByteArray& stored, QString& text);

// UTF-8 bytes as text, a byte-order mark kept as a character wherever it
// stands: QString::fromUtf8 drops one at the start, so a city that begins
// with one would lose it at every save.
QString TextFromUtf8(QByteArrayView bytes);

// A text as its value in the file: control characters, quotes and
// backslashes escaped, quoted where a comma, ';', '=' or an outer blank
// would change its meaning, a leading '@' doubled. IniValueText reads it
// back unchanged.
QByteArray IniStoredValue(const QString& text);

}  // namespace selenara
