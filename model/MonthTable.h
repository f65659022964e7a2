// The month table behind the calendar page: for every day of one month its
// weekday, the today mark and the principal moon phase falling on it, with
// the phase's local clock time.
#pragma once

#include "model/PhaseEvents.h"

#include <array>
#include <cstdint>

namespace selenara {

struct TTagInfo {
    std::uint8_t Wochentag = 0;  // 0 = Sunday .. 6 = Saturday
    std::uint8_t Heute = 0;      // 1 on today's local date
    PhaseKind Phase = PhaseKind::None;
    std::uint8_t Stunde = 0;  // local clock time of the phase instant
    std::uint8_t Minute = 0;
    std::uint8_t Sekunde = 0;
    friend bool operator==(const TTagInfo&, const TTagInfo&) = default;
};

// The 31 day records, indexed by the day of the month 1..31.
struct TTage {
    std::array<TTagInfo, 31> Days{};
    TTagInfo& operator[](int dayOfMonth) { return Days[dayOfMonth - 1]; }
    const TTagInfo& operator[](int dayOfMonth) const { return Days[dayOfMonth - 1]; }
    friend bool operator==(const TTage&, const TTage&) = default;
};

struct TMonat {
    std::int32_t Monat = 0;       // 1..12
    std::int32_t Jahr = 0;        // four digits
    std::uint8_t AnzahlTage = 0;  // 28..31; 0 for a year outside 1600..3999
    TTage Tage;                   // only days 1..AnzahlTage are meaningful
};

// Builds the table of a month: weekdays, every phase event whose local date
// lies in the month (new moons, first quarters, full moons with the blue
// moon, last quarters, in this order, a later one winning a shared day), and
// the today mark on the local date `today` (one reading of the clock, taken
// by the caller together with the month it shows).
TMonat MonatAufbauen(int monat, int jahr, DayNumber today, const ZoneClock& clock);

// Enters the events of one phase into a table whose Monat, Jahr and
// AnzahlTage are set.
void PhasenEintragen(TMonat& table, PhaseSelector selector, const ZoneClock& clock);

}  // namespace selenara
