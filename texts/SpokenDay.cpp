#include "texts/SpokenDay.h"

#include "texts/Captions.h"
#include "texts/TextIds.h"

namespace selenara {

std::string SpokenDay(Date date, const TTagInfo& info, LanguageId language) {
    const std::string month = MonatsName(date.Month, language);
    if (month.empty()) return {};
    const std::string weekday = WeekdayName(info.Wochentag, language);
    const std::string day = std::to_string(date.Day);
    const std::string year = std::to_string(date.Year);
    std::string text = language == English ? weekday + ", " + month + ' ' + day + ", " + year
                                           : weekday + ", " + day + ". " + month + ' ' + year;
    if (info.Heute != 0) text += ", " + TextById(textid::TodayWord, language);
    if (info.Phase != PhaseKind::None) {
        text += ", " + PhaseName(info.Phase, language) + ", " +
                UnpaddedZeitText(JoinSecondOfDay(info.Stunde, info.Minute, info.Sekunde), Use24StdFor(language));
    }
    return text;
}

}  // namespace selenara
