#include "texts/Captions.h"

#include "model/PhaseDays.h"
#include "texts/TextIds.h"

#include <cstdio>

namespace selenara {

std::string MonatsName(int month, LanguageId language) {
    if (month < 1 || month > textid::MonthNamesCount) return {};
    return TextById(textid::MonthNames + month - 1, language);
}

std::string WeekdayName(int weekday, LanguageId language) {
    if (weekday < 0 || weekday >= textid::WeekdayNamesCount) return {};
    return TextById(textid::WeekdayNames + weekday, language);
}

std::string PhaseName(PhaseKind kind, LanguageId language) {
    // The names follow the kinds 1..5, new moon .. blue moon.
    if (kind == PhaseKind::None) return {};
    return TextById(textid::PhaseNames + static_cast<int>(kind) - 1, language);
}

std::string MonatJahrText(int month, int year, LanguageId language) {
    if (month < 1 || month > 12) return {};
    return MonatsName(month, language) + ' ' + std::to_string(year);
}

std::string PhasenText(DayNumber day, LanguageId language, const ZoneClock& clock) {
    using Test = bool (*)(DayNumber, const ZoneClock&);
    // In the order of the tip texts: on the day, then four days on.
    static constexpr Test tests[] = {IstNeumondTag, IstErstesViertelTag, IstVollmondTag,
                                     IstLetztesViertelTag};
    std::string text = "Selenara";
    for (int i = 0; i < 4; ++i) {
        if (tests[i](day, clock)) text = TextById(textid::TrayTips + 2 * i, language);
        if (tests[i](day - 4, clock)) text = TextById(textid::TrayTips + 2 * i + 1, language);
    }
    return text;
}

std::string ZeitText(SecondOfDay second, bool use24Std) {
    const ClockTime t = SplitSecondOfDay(second);
    char text[16];
    if (use24Std) {
        std::snprintf(text, sizeof text, "%2d:%.2d", t.Hours, t.Minutes);
    } else {
        const int hour = t.Hours % 12 == 0 ? 12 : t.Hours % 12;
        std::snprintf(text, sizeof text, "%d:%.2d %s", hour, t.Minutes, t.Hours < 12 ? "AM" : "PM");
    }
    return text;
}

std::string UnpaddedZeitText(SecondOfDay second, bool use24Std) {
    std::string text = ZeitText(second, use24Std);
    if (text.starts_with(' ')) text.erase(0, 1);
    return text;
}

}  // namespace selenara
