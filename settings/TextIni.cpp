#include "settings/TextIni.h"

#include <QIODevice>

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

bool IsSpace(char c) { return IsBlank(c) || c == '\n' || c == '\r'; }

// One logical line of the file by the INI grammar QSettings reads: quotes
// may span line ends, a backslash escapes the next character, ';' starts a
// comment at the start of a line and ends the line elsewhere. False at the
// end of the data.
struct IniLine {
    QByteArrayView Text;
    qsizetype Equals = -1;  // the first '=' outside quotes, or -1
};

bool NextLine(QByteArrayView data, qsizetype& pos, IniLine& line) {
    qsizetype start = pos;
    while (start < data.size() && IsSpace(data[start])) ++start;
    qsizetype i = start, equals = -1;
    bool inQuotes = false;
    while (i < data.size()) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equals < 0) equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < data.size()) {
                const char escaped = data[i++];
                // A line end of two characters is escaped as one.
                if (i < data.size() && ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n'))) ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {  // a comment: skip the line
                while (i < data.size() && data[i] != '\n' && data[i] != '\r') ++i;
                while (i < data.size() && IsSpace(data[i])) ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.Text = data.sliced(start, i - start);
    line.Equals = equals < 0 ? -1 : equals - start;
    return !line.Text.isEmpty();
}

// The map holds each value's bytes as Latin-1, so that QSettings keeps them
// untouched; keys and groups likewise.
QString Bytes(QByteArrayView s) { return QString::fromLatin1(s); }

// "[group]" and "key=value" into "group/key" -> the value's bytes.
bool ReadTextIni(QIODevice& device, QSettings::SettingsMap& map) {
    QByteArray data = device.readAll();
    if (data.startsWith("\xef\xbb\xbf")) data.remove(0, 3);  // a byte-order mark
    QString group;
    IniLine line;
    for (qsizetype pos = 0; NextLine(data, pos, line);) {
        if (line.Text.front() == '[') {
            const qsizetype close = line.Text.indexOf(']');
            group = Bytes(Trimmed(close < 0 ? line.Text.sliced(1) : line.Text.sliced(1, close - 1)));
            continue;
        }
        if (line.Equals < 0) continue;
        const QByteArrayView key = Trimmed(line.Text.first(line.Equals));
        if (key.isEmpty()) continue;
        map.insert(group.isEmpty() ? Bytes(key) : group + u'/' + Bytes(key), Bytes(line.Text.sliced(line.Equals + 1)));
    }
    return true;
}

// Whether a group or key stands on its line as it did: junk with a quote or
// a line end in it, or a backslash at its end, would join other lines.
bool HoldsItsLine(const QString& name) {
    return !name.contains(u'"') && !name.contains(u'\n') && !name.contains(u'\r') && !name.endsWith(u'\\');
}

// A value as it may stand before a line end: a quote left open (at the end
// of a cut-off file) is closed, a backslash left hanging is dropped, so that
// the value does not swallow the lines after it.
QByteArray Closed(QByteArray value) {
    bool inQuotes = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\') {
            if (i + 1 == value.size()) value.chop(1);
            ++i;
        } else if (value[i] == '"') {
            inQuotes = !inQuotes;
        }
    }
    return inQuotes ? value + '"' : value;
}

// Keys without a group first, then each group; every value as it was stored.
bool WriteTextIni(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray out;
    QString section;
    bool first = true;
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const qsizetype slash = it.key().indexOf(u'/');
            if ((slash < 0) != (pass == 0)) continue;
            const QString group = slash < 0 ? QString() : it.key().left(slash);
            const QString key = it.key().mid(slash + 1);
            if (!HoldsItsLine(group) || !HoldsItsLine(key)) continue;
            if (pass == 1 && (first || group != section)) {
                if (!out.isEmpty()) out += '\n';
                out += '[' + group.toLatin1() + "]\n";
                section = group;
                first = false;
            }
            out += key.toLatin1() + '=' + Closed(it.value().toString().toLatin1()) + '\n';
        }
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
            text += QString::fromUtf8(QByteArrayView(stored).sliced(i, j - i));
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
