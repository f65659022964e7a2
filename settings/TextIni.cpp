#include "settings/TextIni.h"

#include <QIODevice>
#include <QStringDecoder>

#include <array>
#include <string_view>

namespace selenara {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArrayView Trimmed(QByteArrayView s) {
    while (!s.isEmpty() && IsBlank(s.front())) s = s.sliced(1);
    while (!s.isEmpty() && IsBlank(s.back())) s.chop(1);
    return s;
}

// A line's content and where the next line begins. Only CR and LF end a
// line: neither quotes nor a backslash carry a value past its line end, so
// a damaged value (an open quote, a backslash at its end) cannot swallow the
// lines after it. The writer's escapes never put a line end into a value.
struct Line {
    QByteArrayView Text;  // without the line end and leading blanks
    qsizetype Start = 0;  // offset of the line in the data
    qsizetype Next = 0;   // offset of the line after it
};

Line LineAt(QByteArrayView data, qsizetype pos) {
    qsizetype end = pos;
    while (end < data.size() && data[end] != '\n' && data[end] != '\r') ++end;
    qsizetype next = end;
    if (next < data.size()) next += data[next] == '\r' && next + 1 < data.size() && data[next + 1] == '\n' ? 2 : 1;
    qsizetype text = pos;
    while (text < end && IsBlank(data[text])) ++text;
    return {data.sliced(text, end - text), pos, next};
}

// The group a "[group]" line opens; null for any other line.
QByteArrayView GroupOf(QByteArrayView text) {
    if (text.isEmpty() || text.front() != '[') return {};
    const qsizetype close = text.indexOf(']');
    const QByteArrayView name = Trimmed(close < 0 ? text.sliced(1) : text.sliced(1, close - 1));
    return name.isNull() ? QByteArrayView("") : name;
}

// "key=value" by the INI grammar QSettings reads, within one line: the first
// '=' outside quotes and escapes; ';' outside quotes ends the value.
struct Entry {
    QByteArrayView Key, Value;
};

bool KeyAndValue(QByteArrayView text, Entry& entry) {
    qsizetype equals = -1, end = text.size();
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == '=' && !inQuotes && equals < 0) {
            equals = i;
        } else if (c == ';' && !inQuotes) {
            end = i;
            break;
        }
    }
    if (equals < 0 || equals >= end) return false;
    entry = {Trimmed(text.first(equals)), text.sliced(equals + 1, end - equals - 1)};
    return !entry.Key.isEmpty();
}

// The map holds each value's bytes as Latin-1, so that QSettings keeps them
// untouched; keys likewise.
QString Bytes(QByteArrayView s) { return QString::fromLatin1(s); }

// The text of the file outside the program's group, as it stands: what comes
// before the first group, and every other group. Their keys hold a line
// break, which no key read from a file can, and no '/', so that QSettings
// files them under no group.
const QString TextBeforeGroups = QStringLiteral("\nbefore");
const QString OtherGroupsText = QStringLiteral("\nothers");

// The program's group into "Optionen/key" -> the value's bytes; the rest of
// the file into the two texts above.
bool ReadTextIni(QIODevice& device, QSettings::SettingsMap& map) {
    QByteArray data = device.readAll();
    if (data.startsWith("\xef\xbb\xbf")) data.remove(0, 3);  // a byte-order mark
    const QString group = QString::fromLatin1(ProgramGroup);
    QByteArray before, others;
    bool seenGroup = false, ours = false;
    for (qsizetype pos = 0; pos < data.size();) {
        const Line line = LineAt(data, pos);
        pos = line.Next;
        if (const QByteArrayView name = GroupOf(line.Text); !name.isNull()) {
            seenGroup = true;
            ours = name == ProgramGroup;
        }
        if (!ours) {
            (seenGroup ? others : before) += QByteArrayView(data).sliced(line.Start, line.Next - line.Start);
            continue;
        }
        Entry entry;
        if (!line.Text.isEmpty() && line.Text.front() != ';' && KeyAndValue(line.Text, entry))
            map.insert(group + u'/' + Bytes(entry.Key), Bytes(entry.Value));
    }
    if (!before.isEmpty()) map.insert(TextBeforeGroups, Bytes(before));
    if (!others.isEmpty()) map.insert(OtherGroupsText, Bytes(others));
    return true;
}

// A text kept from the file, followed by a line end if it lacks one.
QByteArray KeptText(const QSettings::SettingsMap& map, const QString& key) {
    QByteArray text = map.value(key).toString().toLatin1();
    if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r')) text += '\n';
    return text;
}

// The text before the first group, the keys without a group, each group of
// keys, then the other groups as they stood in the file.
bool WriteTextIni(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray out = KeptText(map, TextBeforeGroups);
    QString section;
    bool wroteGroup = false;
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (it.key() == TextBeforeGroups || it.key() == OtherGroupsText) continue;
            const qsizetype slash = it.key().indexOf(u'/');
            if ((slash < 0) != (pass == 0)) continue;
            const QString group = slash < 0 ? QString() : it.key().left(slash);
            if (pass == 1 && (!wroteGroup || group != section)) {
                if (wroteGroup) out += '\n';
                out += '[' + group.toLatin1() + "]\n";
                section = group;
                wroteGroup = true;
            }
            out += it.key().mid(slash + 1).toLatin1() + '=' + it.value().toString().toLatin1() + '\n';
        }
    }
    if (const QByteArray others = map.value(OtherGroupsText).toString().toLatin1(); !others.isEmpty()) {
        if (wroteGroup) out += '\n';
        out += others;
    }
    return device.write(out) == out.size();
}

// The types QSettings writes as "@Type(...)".
bool IsSerializedType(const QString& text) {
    static constexpr std::array<std::u16string_view, 8> names = {
        u"@ByteArray(", u"@StringList(", u"@Variant(", u"@DateTime(",
        u"@Rect(",      u"@Size(",       u"@Point(",   u"@Invalid("};
    if (!text.endsWith(u')')) return false;
    for (const std::u16string_view name : names)
        if (text.startsWith(QStringView(name.data(), static_cast<qsizetype>(name.size())))) return true;
    return false;
}

}  // namespace

QString TextFromUtf8(QByteArrayView bytes) {
    QStringDecoder decode(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decode(bytes);
}

QSettings::Format TextIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), ReadTextIni, WriteTextIni, Qt::CaseSensitive);
    return format;
}

bool IniValueText(const QByteArray& stored, QString& text) {
    text.clear();
    qsizetype i = 0, keep = 0;  // keep: blanks before it were escaped or quoted
    bool inQuotes = false, quoted = false;
    const auto skipBlanks = [&] {
        while (i < stored.size() && IsBlank(stored[i])) ++i;
    };
    skipBlanks();
    while (i < stored.size()) {
        const char c = stored[i];
        if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
        } else if (c == ',' && !inQuotes) {
            return false;  // a list
        } else if (c == '\\') {
            if (++i >= stored.size()) break;
            const char e = stored[i++];
            static constexpr std::string_view from = "abfnrtv\"?'\\", to = "\a\b\f\n\r\t\v\"?'\\";
            if (const auto at = from.find(e); at != std::string_view::npos) {
                text += QLatin1Char(to[at]);
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                // Hex or octal digits, as many as follow; the code unit wraps.
                const int base = e == 'x' ? 16 : 8;
                char16_t unit = e == 'x' ? 0 : static_cast<char16_t>(e - '0');
                int digits = e == 'x' ? 0 : 1;
                for (int d; i < stored.size() && (d = HexDigit(stored[i])) >= 0 && d < base; ++i, ++digits)
                    unit = static_cast<char16_t>(unit * base + d);
                if (digits > 0) text += QChar(unit);
            }
            // Any other escaped character is dropped, as QSettings drops it.
            keep = text.size();
        } else {
            qsizetype j = i + 1;
            while (j < stored.size() && stored[j] != '\\' && stored[j] != '"' && stored[j] != ',') ++j;
            // A byte-order mark after an escape is a character of the value too.
            text += TextFromUtf8(QByteArrayView(stored).sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted)
        while (text.size() > keep && (text.back() == u' ' || text.back() == u'\t')) text.chop(1);
    return UnwrapStoredText(text);
}

bool UnwrapStoredText(QString& text) {
    if (text.startsWith(QStringLiteral("@@"))) {
        text.remove(0, 1);
        return true;
    }
    // How QSettings wrote a text with a NUL in it.
    const QString wrapped = QStringLiteral("@String(");
    if (text.startsWith(wrapped) && text.endsWith(u')')) {
        text = text.mid(wrapped.size(), text.size() - wrapped.size() - 1);
        return true;
    }
    return !IsSerializedType(text);
}

QString WrapStoredText(const QString& text) { return text.startsWith(u'@') ? u'@' + text : text; }

QByteArray IniStoredValue(const QString& text) {
    const QString s = WrapStoredText(text);
    QByteArray out;
    bool needsQuotes = false;
    bool hexBefore = false;  // a hex digit right after \x.. or \0 would join it
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == u';' || c == u',' || c == u'=') needsQuotes = true;
        const bool hexDigit = c < 0x80 && HexDigit(static_cast<char>(c)) >= 0;
        if (c < 0x20 || c == 0x7f || (hexBefore && hexDigit)) {
            static constexpr std::string_view named = "\a\b\f\n\r\t\v", letters = "abfnrtv";
            if (const auto at = named.find(static_cast<char>(c)); c != 0 && at != std::string_view::npos) {
                out += '\\';
                out += letters[at];
                hexBefore = false;
            } else {
                out += "\\x" + QByteArray::number(c, 16);
                hexBefore = true;
            }
            continue;
        }
        hexBefore = false;
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            out += QStringView(s).sliced(i, 2).toUtf8();
            ++i;
        } else {
            out += QStringView(s).sliced(i, 1).toUtf8();
        }
    }
    if (needsQuotes || (!out.isEmpty() && (out.front() == ' ' || out.back() == ' ')))
        out = '"' + out + '"';
    return out;
}

}  // namespace selenara
