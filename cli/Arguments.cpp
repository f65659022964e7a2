#include "cli/Arguments.h"

#include <charconv>
#include <cmath>

namespace selenara {
namespace {

// Fixed-width digits only: from_chars alone would take a sign.
bool ReadDigits(std::string_view text, int& value) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{};
}

std::string Reason(std::string_view reason, std::string_view text) {
    // An empty argument would otherwise vanish from the message.
    return std::string(reason) + ": " + (text.empty() ? std::string("\"\"") : std::string(text));
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

}  // namespace selenara
