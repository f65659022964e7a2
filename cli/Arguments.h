// Parsing of the almanac's command-line values. Nothing here throws: every
// function returns either the value or a one-line reason that shows the text
// as ShownArgument does.
#pragma once

#include "astro/Calendar.h"
#include "texts/TextTable.h"

#include <compare>
#include <string>
#include <string_view>
#include <vector>

namespace selenara {

template <typename T>
struct Parsed {
    T Value{};
    std::string Error;  // empty exactly when Value holds the result
    bool Ok() const { return Error.empty(); }
};

struct YearMonth {
    int Year = 0;
    int Month = 0;
    // The check mistakes the defaulted comparison for a literal 0 pointer.
    friend constexpr auto operator<=>(YearMonth, YearMonth) = default;  // NOLINT(modernize-use-nullptr)
};

// "YYYY-MM" with a year in 1600..3999 and a month in 1..12.
Parsed<YearMonth> ParseMonth(std::string_view text);

// "YYYY-MM-DD" naming a day that exists in 1600..3999, as its day number.
Parsed<DayNumber> ParseDay(std::string_view text);

// A finite decimal number within -limit..limit (degrees), optionally with a
// leading plus sign; the whole text must be the number.
Parsed<double> ParseDegrees(std::string_view text, int limit);

// A year in 1600..3999, written in decimal digits only.
Parsed<int> ParseYear(std::string_view text);

// A month number 1..12, written in decimal digits only ("3" or "03").
Parsed<int> ParseMonthNumber(std::string_view text);

// "de" for German or "en" for English.
Parsed<LanguageId> ParseLanguage(std::string_view text);

// One piece of a `now` format: literal text (Field 0), or a field's letter.
struct FormatPiece {
    char Field = 0;
    std::string Text;
};

// A `now` format: text with the fields %p %i %a %n %t %e, and %% for a
// percent sign. Any other letter after %, or a % at the end, is an error.
Parsed<std::vector<FormatPiece>> ParseNowFormat(std::string_view text);

// An argument as a message quotes it, safe for a terminal and short: control
// characters (C0, DEL and C1) and bytes that are not well-formed UTF-8 as
// \xHH in lower-case hex, other UTF-8 kept; an empty text as ""; a text of
// more than 60 characters (an escaped character counts as one) cut to its
// first 60, followed by "…".
std::string ShownArgument(std::string_view text);

}  // namespace selenara
