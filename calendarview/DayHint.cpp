#include "calendarview/DayHint.h"

#include "model/MoonDay.h"
#include "settings/LocationTable.h"
#include "texts/Captions.h"

namespace selenara {
namespace {

constexpr int GermanyPosition = 4;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QString DayHintText(int day, int month, int year, LanguageId language, const TSettings& s,
                    const ZoneClock& clock) {
    const int position = PositionOfSlot(s.CountrySlot);
    const bool known = SlotOfPosition(position) == s.CountrySlot;
    // Any language but English names the country in German, as the country list starts out.
    const QString country =
        Q(CountryName(known ? position : GermanyPosition, language == English ? English : German));
    QString text;
    if (language == German)
        text = QString::number(day) + QStringLiteral(". ") + Q(MonatJahrText(month, year, language)) + u'\n';
    else if (language == English)
        text = Q(MonatsName(month, language)) + u' ' + QString::number(day) + QStringLiteral(", ") +
               QString::number(year) + u'\n';
    text += country + QStringLiteral(" / ") + Q(s.City) + u'\n';

    const LocalRiseSet r = MondAufUntergang(DateToDayNumber(day, month, year), s.Longitude, s.Latitude, clock);
    const bool use24 = Use24StdFor(language);
    if (r.HasRise) text += Q(TextById(205, language)) + QStringLiteral("  ") + Q(ZeitText(r.Rise.Second, use24)) + u'\n';
    if (r.HasSet) text += Q(TextById(206, language)) + QStringLiteral("  ") + Q(ZeitText(r.Set.Second, use24));
    return text;
}

}  // namespace selenara
