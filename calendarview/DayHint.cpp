#include "calendarview/DayHint.h"

#include "model/MoonDay.h"
#include "settings/LocationTable.h"
#include "texts/Captions.h"
#include "texts/TextIds.h"

#include <QStringList>

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

    const LocalRiseSet r = MondAufUntergang(DateToDayNumber(day, month, year),
                                            {.Longitude = s.Longitude, .Latitude = s.Latitude}, clock);
    const bool use24 = Use24StdFor(language);
    // A caption and its times. Two rises (or sets) in one day, as happens at
    // high latitudes, share a line; only the first keeps the blank that pads
    // a one-digit hour.
    const auto line = [&](int caption, const std::vector<LocalDayTime>& events) {
        QStringList list;
        for (const LocalDayTime& t : events) {
            const QString time = Q(ZeitText(t.Second, use24));
            list << (list.isEmpty() ? time : time.trimmed());
        }
        return Q(TextById(caption, language)) + QStringLiteral("  ") + list.join(QStringLiteral(", "));
    };
    if (!r.Rises.empty()) text += line(textid::MoonRiseCaption, r.Rises) + u'\n';
    if (!r.Sets.empty()) text += line(textid::MoonSetCaption, r.Sets);
    return text;
}

}  // namespace selenara
