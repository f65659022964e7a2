#include "cli/NowReport.h"

#include "cli/Json.h"
#include "cli/Records.h"
#include "cli/Utf8.h"
#include "texts/Captions.h"
#include "texts/TextIds.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace selenara {
namespace {

// The eight moons of the cycle, from the new moon, as the northern sky shows them.
constexpr std::string_view MoonEmoji[] = {"🌑", "🌒", "🌓", "🌔", "🌕", "🌖", "🌗", "🌘"};

int PhaseIndex(CyclePhase phase) { return static_cast<int>(phase); }

std::string PhaseText(CyclePhase phase, LanguageId language) {
    return TextById(textid::TrayTips + PhaseIndex(phase), language);
}

std::string Decimal(double value, int decimals, LanguageId language) {
    std::string number = FixedPoint(value, decimals);
    if (language == German) std::replace(number.begin(), number.end(), '.', ',');
    return number;
}

// "Thu 24 Dec 2:29 AM"; "Do 24.12. 2:29".
std::string LocalWhen(LocalDayTime local, LanguageId language) {
    const Date d = DayNumberToDate(local.Day);
    const std::string clock = UnpaddedZeitText(local.Second, Use24StdFor(language));
    const std::string weekday = WeekdayName(WeekdayOf(local.Day), language);
    char date[32];
    if (language == English) {
        std::snprintf(date, sizeof date, " %d ", d.Day);
        return Leading(weekday, 3) + date + Leading(MonatsName(d.Month, language), 3) + ' ' + clock;
    }
    std::snprintf(date, sizeof date, " %d.%d. ", d.Day, d.Month);
    return Leading(weekday, 2) + date + clock;
}

std::string FieldText(char field, const MoonNow& moon, LanguageId language) {
    const bool next = moon.Next.Kind != PhaseKind::None;
    switch (field) {
        case 'p': return PhaseText(moon.Phase, language);
        case 'i': return Decimal(100.0 * moon.Illuminated, 0, language);
        case 'a': return Decimal(moon.AgeDays, 1, language);
        case 'n': return PhaseName(moon.Next.Kind, language);
        case 't': return next ? LocalWhen(moon.Next.Local, language) : std::string();
        case 'e': return std::string(MoonEmoji[PhaseIndex(moon.Phase)]);
        default: return {};
    }
}

}  // namespace

std::vector<FormatPiece> DefaultNowFormat(LanguageId language, bool next) {
    std::vector<FormatPiece> format = {{'p', {}},
                                       {0, ", "},
                                       {'i', {}},
                                       {0, " % " + TextById(textid::NowLitWord, language) + ", "},
                                       {'a', {}},
                                       {0, ' ' + TextById(textid::NowDaysWord, language)}};
    if (next) format.insert(format.end(), {{0, "; "}, {'n', {}}, {0, " "}, {'t', {}}});
    return format;
}

std::string NowLine(const MoonNow& moon, const std::vector<FormatPiece>& format,
                    LanguageId language) {
    std::string line;
    for (const FormatPiece& piece : format)
        line += piece.Field == 0 ? piece.Text : FieldText(piece.Field, moon, language);
    return line;
}

std::string NowJson(const MoonNow& moon, LanguageId language) {
    std::string next = "null";
    if (moon.Next.Kind != PhaseKind::None)
        next = JsonObject()
                   .Add("kind", JsonString(KindName(moon.Next.Kind)))
                   .Add("name", JsonString(PhaseName(moon.Next.Kind, language)))
                   .Add("time", JsonString(IsoLocalTime(moon.Next.Ut, moon.Next.Local)))
                   .Text();
    return JsonObject()
        .Add("time", JsonString(IsoLocalTime(moon.Ut, moon.Local)))
        .Add("phase", JsonString(PhaseText(moon.Phase, language)))
        .Add("emoji", JsonString(MoonEmoji[PhaseIndex(moon.Phase)]))
        .Add("illuminated", JsonNumber(100.0 * moon.Illuminated, 1))
        .Add("age", JsonNumber(moon.AgeDays, 2))
        .Add("next", next)
        .Text();
}

}  // namespace selenara
