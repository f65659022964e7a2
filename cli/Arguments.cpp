#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace selenara {
namespace {

constexpr std::size_t ShownCharacters = 60;

// The length of the well-formed UTF-8 sequence that begins `text` (not
// empty), or 0 when none does: no overlong forms, surrogates or code points
// beyond U+10FFFF.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    return length;
}

// C0, DEL and C1: a terminal may act on any of them, C1 also in UTF-8 (U+009B
// starts an escape sequence like ESC [).
bool IsControl(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    return lead < 0x20 || lead == 0x7F ||
           (lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0);
}

void AppendEscaped(std::string& shown, std::string_view bytes) {
    constexpr char Hex[] = "0123456789abcdef";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        shown += {'\\', 'x', Hex[b >> 4], Hex[b & 0xF]};
    }
}

// Fixed-width digits only: from_chars alone would take a sign.
bool ReadDigits(std::string_view text, int& value) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{};
}

std::string Reason(std::string_view reason, std::string_view text) {
    return std::string(reason) + ": " + ShownArgument(text);
}

template <typename T>
Parsed<T> Failure(std::string_view reason, std::string_view text) {
    return {T{}, Reason(reason, text)};
}

// The year and month of "YYYY-MM", leaving the checks of range to the caller.
bool ReadYearMonth(std::string_view text, YearMonth& result) {
    return text.size() == 7 && text[4] == '-' && ReadDigits(text.substr(0, 4), result.Year) &&
           ReadDigits(text.substr(5, 2), result.Month);
}

std::string CheckYearMonth(YearMonth m, std::string_view text) {
    if (m.Year < FirstYear || m.Year > LastYear) return Reason("year must be 1600..3999", text);
    if (m.Month < 1 || m.Month > 12) return Reason("month must be 1..12", text);
    return {};
}

// Decimal digits within first..last.
Parsed<int> ParseNumberIn(std::string_view text, int first, int last) {
    int value = 0;
    if (!ReadDigits(text, value)) return Failure<int>("not a number", text);
    if (value < first || value > last)
        return Failure<int>("must be " + std::to_string(first) + ".." + std::to_string(last), text);
    return {value, {}};
}

}  // namespace

Parsed<YearMonth> ParseMonth(std::string_view text) {
    Parsed<YearMonth> result;
    if (!ReadYearMonth(text, result.Value)) return Failure<YearMonth>("expected YYYY-MM", text);
    result.Error = CheckYearMonth(result.Value, text);
    return result;
}

Parsed<DayNumber> ParseDay(std::string_view text) {
    YearMonth m;
    int day = 0;
    if (text.size() != 10 || text[7] != '-' || !ReadYearMonth(text.substr(0, 7), m) ||
        !ReadDigits(text.substr(8), day))
        return Failure<DayNumber>("expected YYYY-MM-DD", text);
    if (std::string error = CheckYearMonth(m, text); !error.empty()) return {InvalidDay, error};
    const DayNumber n = DateToDayNumber(day, m.Month, m.Year);
    if (n == InvalidDay) return Failure<DayNumber>("no such day", text);
    return {n, {}};
}

Parsed<double> ParseDegrees(std::string_view text, int limit) {
    // from_chars takes no plus sign, but coordinates are often written with one.
    const std::string_view number =
        text.starts_with('+') && !text.starts_with("+-") ? text.substr(1) : text;
    if (number.empty()) return Failure<double>("not a number", text);
    double value = 0.0;
    const char* end = number.data() + number.size();
    const auto [stop, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc{} || stop != end || !std::isfinite(value))
        return Failure<double>("not a number", text);
    if (std::fabs(value) > limit)
        return Failure<double>("must be -" + std::to_string(limit) + ".." + std::to_string(limit),
                               text);
    return {value, {}};
}

Parsed<int> ParseYear(std::string_view text) { return ParseNumberIn(text, FirstYear, LastYear); }

Parsed<int> ParseMonthNumber(std::string_view text) { return ParseNumberIn(text, 1, 12); }

Parsed<LanguageId> ParseLanguage(std::string_view text) {
    if (text == "de") return {German, {}};
    if (text == "en") return {English, {}};
    return Failure<LanguageId>("expected de or en", text);
}

Parsed<std::vector<FormatPiece>> ParseNowFormat(std::string_view text) {
    constexpr std::string_view Fields = "piante";
    Parsed<std::vector<FormatPiece>> result;
    std::vector<FormatPiece>& pieces = result.Value;
    const auto literal = [&pieces](char c) {
        if (pieces.empty() || pieces.back().Field != 0) pieces.emplace_back();
        pieces.back().Text += c;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            literal(text[i]);
        } else if (i + 1 == text.size()) {
            return Failure<std::vector<FormatPiece>>("lone % at the end", text);
        } else if (text[++i] == '%') {
            literal('%');
        } else if (Fields.find(text[i]) != std::string_view::npos) {
            pieces.push_back({text[i], {}});
        } else {
            // The whole character after the %, as a message can show it.
            const std::size_t length = std::max<std::size_t>(1, SequenceLength(text.substr(i)));
            return Failure<std::vector<FormatPiece>>(
                "unknown field " + ShownArgument("%" + std::string(text.substr(i, length))) +
                    " (fields: %p %i %a %n %t %e %%)",
                text);
        }
    }
    return result;
}

std::string ShownArgument(std::string_view text) {
    // An empty argument would otherwise vanish from the message.
    if (text.empty()) return "\"\"";
    std::string shown;
    for (std::size_t characters = 0; !text.empty(); ++characters) {
        if (characters == ShownCharacters) return shown + "…";
        const std::size_t length = SequenceLength(text);
        // A byte that begins no character stands for one of its own.
        const std::string_view character = text.substr(0, length == 0 ? 1 : length);
        if (length == 0 || IsControl(character)) AppendEscaped(shown, character);
        else shown += character;
        text.remove_prefix(character.size());
    }
    return shown;
}

}  // namespace selenara
