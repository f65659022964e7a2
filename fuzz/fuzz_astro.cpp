// Any integers and doubles into the public functions of astro/ and model/:
// invalid input must give the documented sentinels, valid input sound
// results, and nothing may crash, hang or trip a sanitizer.
#include "FuzzInput.h"

#include "astro/Angles.h"
#include "astro/DeltaT.h"
#include "astro/LunarPhases.h"
#include "astro/MoonPosition.h"
#include "astro/RiseSet.h"
#include "model/MonthTable.h"
#include "model/MoonDay.h"
#include "model/PhaseDays.h"

#include <algorithm>
#include <optional>

namespace selenara::fuzz {
namespace {

bool IsSecondOrCode(std::int32_t v) {
    return (v >= 0 && v < SecondsPerDay) || v == NoEventThisDay || v == BelowHorizonAllDay ||
           v == AboveHorizonAllDay || v == OutsideDayRange;
}

void CheckRiseSet(const RiseSetTimes& t) {
    FUZZ_CHECK(IsSecondOrCode(t.Rise) && IsSecondOrCode(t.Set));
    // The all-day codes and "no answer" come in pairs; "no event" need not.
    FUZZ_CHECK((t.Rise < NoEventThisDay || t.Set < NoEventThisDay) ? t.Rise == t.Set : true);
    FUZZ_CHECK(!(t.Rise == NoEventThisDay && t.Set == NoEventThisDay));
}

void CheckCrossings(const HorizonCrossings& c, JulianDateUt from, JulianDateUt to) {
    if (!c.Valid) {
        FUZZ_CHECK(c.Crossings.empty());
        return;
    }
    for (std::size_t i = 0; i < c.Crossings.size(); ++i) {
        FUZZ_CHECK(c.Crossings[i].Ut >= from && c.Crossings[i].Ut < to);
        if (i > 0) FUZZ_CHECK(c.Crossings[i - 1].Ut <= c.Crossings[i].Ut);
        // Rises and sets alternate, starting from the side the body began on.
        FUZZ_CHECK(c.Crossings[i].Rising == (i % 2 == 0 ? !c.UpAtBegin : c.UpAtBegin));
    }
}

void Calendar(FuzzedDataProvider& p) {
    const int day = p.ConsumeIntegral<int>(), month = p.ConsumeIntegral<int>();
    const int year = p.ConsumeBool() ? p.ConsumeIntegralInRange(1590, 4010) : p.ConsumeIntegral<int>();
    const DayNumber n = DateToDayNumber(day, month, year);
    FUZZ_CHECK(n == InvalidDay || IsValidDay(n));
    if (n != InvalidDay) FUZZ_CHECK(DayNumberToDate(n) == (Date{day, month, year}));
    FUZZ_CHECK(DaysInMonth(month, year) >= 0 && DaysInMonth(month, year) <= 31);
    FUZZ_CHECK(WeekdayOfDate(day, month, year) >= 0 && WeekdayOfDate(day, month, year) <= NoWeekday);

    const DayNumber any = AnyDay(p);
    const Date d = DayNumberToDate(any);
    FUZZ_CHECK(IsValidDay(any) ? DateToDayNumber(d) == any : d == Date{});
    FUZZ_CHECK((WeekdayOf(any) == NoWeekday) == !IsValidDay(any));

    const double jd = AnyDouble(p, 2305000.0, 2626000.0);
    const bool truncate = p.ConsumeBool();
    const DayNumber fromJd = JulianDateToDayNumber(jd, truncate);
    FUZZ_CHECK(fromJd == InvalidDay || IsValidDay(fromJd));
    (void)DayNumberToJulianDate(any);
}

void ClockTimes(FuzzedDataProvider& p) {
    const SecondOfDay s = AnySecond(p);
    const ClockTime c = SplitSecondOfDay(s);
    if (IsValidSecond(s)) FUZZ_CHECK(JoinSecondOfDay(c.Hours, c.Minutes, c.Seconds) == s);
    else FUZZ_CHECK(c == ClockTime{});
    const auto h = p.ConsumeIntegral<std::uint8_t>(), m = p.ConsumeIntegral<std::uint8_t>(),
               sec = p.ConsumeIntegral<std::uint8_t>();
    const SecondOfDay joined = JoinSecondOfDay(h, m, sec);
    FUZZ_CHECK(IsValidSecond(joined));
    const SecondOfDay added = AddTime(s, h, m, sec), taken = SubtractTime(s, h, m, sec);
    if (IsValidSecond(s)) {
        FUZZ_CHECK(IsValidSecond(added) && IsValidSecond(taken));
        FUZZ_CHECK(SubtractTime(added, h, m, sec) == s);
    }

    const std::int64_t a = p.ConsumeIntegral<std::int64_t>();
    const std::int64_t b = p.ConsumeIntegralInRange<std::int64_t>(1, std::numeric_limits<std::int64_t>::max());
    const std::int64_t r = FloorMod(a, b);
    FUZZ_CHECK(r >= 0 && r < b);
    (void)FloorDiv(a, b);
}

void Angles(FuzzedDataProvider& p) {
    const double x = AnyDouble(p, -1e6, 1e6), y = AnyDouble(p, -1e6, 1e6);
    const double r = Reduce360(x);
    FUZZ_CHECK(!std::isfinite(x) || (r >= 0.0 && r <= 360.0));
    (void)FractionalPart(x);
    (void)Radians(x);
    (void)Degrees(y);
    (void)FullCircleAngle(x, y);
}

void Phases(FuzzedDataProvider& p) {
    const double k = AnyDouble(p, -5000.0, 25000.0), T = AnyDouble(p, -5.0, 25.0);
    const int number = p.ConsumeBool() ? p.ConsumeIntegralInRange(-1, 4) : p.ConsumeIntegral<int>();
    const std::optional<PhaseSelector> checked = PhaseSelectorOf(number);
    FUZZ_CHECK(checked.has_value() == (number >= 0 && number <= 3));
    const PhaseSelector selector = checked.value_or(PhaseSelector::NewMoon);
    (void)PlanetaryCorrection(k, T);
    (void)PhaseInstantOf(k, selector);
    (void)LunationPhasesOf(k).Of(selector);
    (void)PhaseDayTime({AnyDouble(p, 2305000.0, 2626000.0)});
    const double year = AnyDouble(p, 1500.0, 4100.0);
    const double dt = DeltaT(year);
    FUZZ_CHECK(dt >= -20.0 && dt <= 15200.0);

    const DayNumber day = AnyDay(p);
    const LunationTableT table = LunationTable(day);
    if (!IsValidDay(day)) FUZZ_CHECK(table[0].NewMoon.Days == 0.0 && table[13].LastQuarter.Days == 0.0);
    const PhaseSlots slots = PhaseInstants(day, selector);
    for (const UtDayTime t : slots.Slot) {
        if (t == UtDayTime{}) continue;
        FUZZ_CHECK(IsValidDayTime(t));
        FUZZ_CHECK(DayNumberToDate(t.Day).Month == DayNumberToDate(day).Month);
    }
    (void)NewMoons(day), (void)FirstQuarters(day), (void)FullMoons(day), (void)LastQuarters(day);

    const DayNumber from = AnyDay(p);
    const DayNumber to = SpanEnd(p, from, 400);
    const std::vector<UtDayTime> events = PhaseEventsBetween(selector, from, to);
    for (std::size_t i = 0; i < events.size(); ++i) {
        FUZZ_CHECK(events[i].Day >= from && events[i].Day <= to);
        FUZZ_CHECK(IsValidSecond(events[i].Second));
        if (i > 0) FUZZ_CHECK(events[i - 1].Day <= events[i].Day);
    }
}

void Position(FuzzedDataProvider& p) {
    // The same day and second read as TT and as UT.
    const TtDayTime tt{AnyDay(p), AnySecond(p)};
    const UtDayTime ut{tt.Day, tt.Second};
    const MoonPosition m = MoonPositionAt(tt);
    const SiderealTime theta = MeanSiderealTime(ut);
    FUZZ_CHECK(m.Ok == IsValidDayTime(tt) && theta.Ok == IsValidDayTime(ut));
    if (IsValidDayTime(ut)) {
        FUZZ_CHECK(m.RightAscension >= 0.0 && m.RightAscension < 360.0);
        FUZZ_CHECK(m.Declination >= -90.0 && m.Declination <= 90.0);
        FUZZ_CHECK(m.HorizontalParallax > 0.8 && m.HorizontalParallax < 1.1);
        FUZZ_CHECK(theta.Degrees >= 0.0 && theta.Degrees < 360.0);
    }
    (void)JulianDateOf(ut);
    (void)MoonEclipticAt(tt);
    const double jd = AnyDouble(p, 2305000.0, 2626000.0);
    const MoonPosition atJd = MoonPositionAt(JulianEphemerisDate{jd});
    if (jd > 2000000.0 && jd < 3000000.0) FUZZ_CHECK(atJd.RightAscension >= 0.0 && atJd.RightAscension < 360.0);
    (void)MeanSiderealTime(JulianDateUt{jd});
}

void RiseAndSet(FuzzedDataProvider& p) {
    const DayNumber day = AnyDay(p);
    const Observer place{.Longitude = AnyDouble(p, -180.0, 180.0), .Latitude = AnyDouble(p, -90.0, 90.0)};
    const RiseSetTimes t = MoonRiseSet(day, place);
    CheckRiseSet(t);
    if (!IsValidDay(day)) FUZZ_CHECK(t.Rise == OutsideDayRange && t.Set == OutsideDayRange);
    const JulianDateUt from{AnyDouble(p, 2305000.0, 2626000.0)};
    const JulianDateUt to = from + AnyDouble(p, -1.0, 40.0);
    CheckCrossings(MoonHorizonCrossings(from, to, place), from, to);

    ThreeDayEphemeris eph;
    for (int i = 0; i < 3; ++i) {
        eph.RightAscension[i] = AnyDouble(p, 0.0, 720.0);
        eph.Declination[i] = AnyDouble(p, -90.0, 90.0);
    }
    const double h0 = AnyDouble(p, -1.0, 1.0);
    CheckRiseSet(RiseSetCore(day, eph, h0, place));
}

void Month(FuzzedDataProvider& p) {
    const FuzzClock clock(p);
    const int month = p.ConsumeBool() ? p.ConsumeIntegralInRange(0, 13) : p.ConsumeIntegral<int>();
    const int year = p.ConsumeBool() ? p.ConsumeIntegralInRange(1598, 4001) : p.ConsumeIntegral<int>();
    const TMonat table = MonatAufbauen(month, year, TodayDayNumber(clock), clock);
    FUZZ_CHECK(table.AnzahlTage == DaysInMonth(month, year));
    int todays = 0;
    for (int d = 1; d <= table.AnzahlTage; ++d) {
        FUZZ_CHECK(table.Tage[d].Wochentag < 7 && table.Tage[d].Phase <= PhaseKind::BlueMoon);
        FUZZ_CHECK(table.Tage[d].Stunde < 24 && table.Tage[d].Minute < 60 && table.Tage[d].Sekunde < 60);
        todays += table.Tage[d].Heute;
    }
    FUZZ_CHECK(todays <= 1);

    TMonat odd;
    odd.Monat = month;
    odd.Jahr = year;
    odd.AnzahlTage = static_cast<std::uint8_t>(DaysInMonth(month, year));
    const PhaseSelector selector = PhaseSelectors[p.ConsumeIntegralInRange<std::size_t>(0, 3)];
    PhasenEintragen(odd, selector, clock);
    for (const PhaseEvent& e : MonthPhaseEvents(selector, month, year, clock))
        FUZZ_CHECK(DayNumberToDate(e.Local.Day).Month == month);
    const DayNumber first = AnyDay(p);
    const DayNumber last = SpanEnd(p, first, 60);
    for (const PhaseEvent& e : LocalPhaseEvents(selector, first, last, clock))
        FUZZ_CHECK(e.Local.Day >= first && e.Local.Day <= last);
}

void MoonDays(FuzzedDataProvider& p) {
    const FuzzClock clock(p);
    const DayNumber day = AnyDay(p);
    const int age = MondAlter(day, clock);
    FUZZ_CHECK(age >= 1 && age <= 28);
    if (!IsValidDay(day)) FUZZ_CHECK(age == 1);
    const bool phaseDays[] = {IstNeumondTag(day, clock), IstErstesViertelTag(day, clock),
                              IstVollmondTag(day, clock), IstLetztesViertelTag(day, clock)};
    if (!IsValidDay(day)) FUZZ_CHECK(std::none_of(std::begin(phaseDays), std::end(phaseDays), [](bool b) { return b; }));

    const Observer place{.Longitude = AnyDouble(p, -180.0, 180.0), .Latitude = AnyDouble(p, -90.0, 90.0)};
    const LocalRiseSet r = MondAufUntergang(day, place, clock);
    for (const auto* events : {&r.Rises, &r.Sets})
        for (const LocalDayTime& e : *events) FUZZ_CHECK(e.Day == day && IsValidSecond(e.Second));
    FUZZ_CHECK(r.AllDay == 0 || r.AllDay == BelowHorizonAllDay || r.AllDay == AboveHorizonAllDay);
    if (!r.Rises.empty() || !r.Sets.empty()) FUZZ_CHECK(r.AllDay == 0 && r.DayExists);
    const UtSpan span = LocalDayInUt(day, clock);
    FUZZ_CHECK(span.End - span.Begin <= 3 * SecondsPerDay);

    const Date d = DayNumberToDate(day);
    LocalDayTime rise, set;
    (void)Mondaufgang(d.Day, d.Month, d.Year, place, clock, rise);
    (void)Monduntergang(p.ConsumeIntegral<int>(), d.Month, d.Year, place, clock, set);

    LocalDayTime local{AnyDay(p), AnySecond(p)};
    (void)IstSommerzeit(local);
    const bool valid = IsValidSecond(local.Second);
    SommerzeitKorrektur(local, clock);
    if (valid) FUZZ_CHECK(IsValidSecond(local.Second));

    const UtDayTime ut{AnyDay(p), AnySecond(p)};
    const LocalDayTime converted = UtcToLocal(ut, clock);
    if (IsValidDayTime(ut) && IsValidDay(converted.Day))
        FUZZ_CHECK(OffsetSecondsBetween(ut, converted) == clock.UtcOffsetSecondsAt(ut));
    // Any clock reads as an instant of the calendar, its local time derived from it.
    const ClockReading now = ReadClock(clock);
    FUZZ_CHECK(IsValidDayTime(now.Local) && now.Local == UtcToLocal(now.Ut, clock));
}

}  // namespace
}  // namespace selenara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace selenara::fuzz;
    FuzzedDataProvider p(data, size);
    // A few calls an input; the first byte picks which part is exercised first.
    for (int call = 0; call < 4 && p.remaining_bytes() > 0; ++call) {
        switch (p.ConsumeIntegralInRange(0, 7)) {
            case 0: Calendar(p); break;
            case 1: ClockTimes(p); break;
            case 2: Angles(p); break;
            case 3: Phases(p); break;
            case 4: Position(p); break;
            case 5: RiseAndSet(p); break;
            case 6: Month(p); break;
            default: MoonDays(p); break;
        }
    }
    return 0;
}
