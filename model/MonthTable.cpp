#include "model/MonthTable.h"

#include "model/PhaseEvents.h"

namespace selenara {

void PhasenEintragen(TMonat& table, PhaseSelector selector, const ZoneClock& clock) {
    for (const PhaseEvent& e : MonthPhaseEvents(selector, table.Monat, table.Jahr, clock)) {
        const ClockTime t = SplitSecondOfDay(e.Local.Second);
        TTagInfo& info = table.Tage[DayNumberToDate(e.Local.Day).Day];
        info.Phase = e.Kind;
        info.Stunde = t.Hours;
        info.Minute = t.Minutes;
        info.Sekunde = t.Seconds;
    }
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): month, year as DaysInMonth takes them, then today
TMonat MonatAufbauen(int monat, int jahr, DayNumber today, const ZoneClock& clock) {
    TMonat table;
    table.Monat = monat;
    table.Jahr = jahr;
    table.AnzahlTage = static_cast<std::uint8_t>(DaysInMonth(monat, jahr));
    if (table.AnzahlTage == 0) return table;
    for (int d = 1; d <= table.AnzahlTage; ++d)
        table.Tage[d].Wochentag = static_cast<std::uint8_t>(WeekdayOfDate(d, monat, jahr));
    for (const PhaseSelector selector : PhaseSelectors) PhasenEintragen(table, selector, clock);
    const Date date = DayNumberToDate(today);
    if (date.Month == monat && date.Year == jahr) table.Tage[date.Day].Heute = 1;
    return table;
}

}  // namespace selenara
