#include "cli/Almanac.h"

#include "astro/LunarPhases.h"
#include "astro/RiseSet.h"
#include "cli/Arguments.h"
#include "model/MoonDay.h"
#include "model/PhaseEvents.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <ostream>
#include <string_view>

namespace selenara {
namespace {

using Args = std::vector<std::string>;

constexpr std::string_view Usage =
    "Usage: selenara-almanac COMMAND ARGUMENTS\n"
    "\n"
    "  phases FROM TO            principal moon phases of the months FROM..TO (YYYY-MM),\n"
    "                            one KIND,TIME a line; KIND is new, first, full, blue or last\n"
    "  riseset LON LAT FROM TO   moonrise and moonset on the days FROM..TO (YYYY-MM-DD)\n"
    "                            at longitude LON (east) and latitude LAT (north), degrees;\n"
    "                            one DATE,RISE,SET,NOTE a line, NOTE up or down when the\n"
    "                            moon stays above or below the horizon all day\n"
    "  help, --help, -h          this text\n"
    "\n"
    "Times are local clock times of the system time zone (TZ selects another).\n";

int Fail(std::ostream& err, const std::string& message) {
    err << "selenara-almanac: " << message << '\n';
    return 2;
}

// Names the first missing or surplus operand after the command; empty when
// the count matches.
std::string CountError(const Args& args, std::initializer_list<std::string_view> names) {
    const std::size_t given = args.size() - 1;
    if (given < names.size()) return args[0] + ": missing " + std::string(names.begin()[given]);
    if (given > names.size()) return args[0] + ": unexpected argument: " + args[names.size() + 1];
    return {};
}

std::string DateText(DayNumber day) {
    const Date d = DayNumberToDate(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
    return text;
}

std::string ClockText(SecondOfDay second) {
    const ClockTime c = SplitSecondOfDay(second);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", c.Hours, c.Minutes, c.Seconds);
    return text;
}

std::string OffsetText(int minutes) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                  std::abs(minutes) % 60);
    return text;
}

std::string_view KindName(PhaseKind kind) {
    switch (kind) {
        case NewMoonKind: return "new";
        case FirstQuarterKind: return "first";
        case FullMoonKind: return "full";
        case LastQuarterKind: return "last";
        case BlueMoonKind: return "blue";
        case NoPhase: break;
    }
    return "";
}

YearMonth NextMonth(YearMonth m) {
    return m.Month == 12 ? YearMonth{m.Year + 1, 1} : YearMonth{m.Year, m.Month + 1};
}

void WriteMonthPhases(YearMonth month, std::ostream& out, const ZoneClock& clock) {
    std::vector<PhaseEvent> events;
    for (const int selector : {NewMoonPhase, FirstQuarterPhase, FullMoonPhase, LastQuarterPhase}) {
        const std::vector<PhaseEvent> some =
            MonthPhaseEvents(selector, month.Month, month.Year, clock);
        events.insert(events.end(), some.begin(), some.end());
    }
    std::sort(events.begin(), events.end(), [](const PhaseEvent& a, const PhaseEvent& b) {
        return a.Ut.Day != b.Ut.Day ? a.Ut.Day < b.Ut.Day : a.Ut.Second < b.Ut.Second;
    });
    for (const PhaseEvent& e : events)
        out << KindName(e.Kind) << ',' << DateText(e.Local.Day) << 'T' << ClockText(e.Local.Second)
            << OffsetText(OffsetMinutesBetween(e.Ut, e.Local)) << '\n';
}

int Phases(const Args& args, std::ostream& out, std::ostream& err, const ZoneClock& clock) {
    if (const std::string error = CountError(args, {"FROM", "TO"}); !error.empty())
        return Fail(err, error);
    const Parsed<YearMonth> from = ParseMonth(args[1]);
    const Parsed<YearMonth> to = ParseMonth(args[2]);
    if (!from.Ok()) return Fail(err, "FROM: " + from.Error);
    if (!to.Ok()) return Fail(err, "TO: " + to.Error);
    if (to.Value < from.Value)
        return Fail(err, "FROM: later than TO: " + args[1] + " > " + args[2]);
    for (YearMonth m = from.Value; m <= to.Value; m = NextMonth(m)) WriteMonthPhases(m, out, clock);
    return 0;
}

std::string_view AllDayNote(std::int32_t allDay) {
    if (allDay == AboveHorizonAllDay) return "up";
    if (allDay == BelowHorizonAllDay) return "down";
    return "";
}

int RiseSet(const Args& args, std::ostream& out, std::ostream& err, const ZoneClock& clock) {
    if (const std::string error = CountError(args, {"LON", "LAT", "FROM", "TO"}); !error.empty())
        return Fail(err, error);
    const Parsed<double> lon = ParseDegrees(args[1], 180);
    const Parsed<double> lat = ParseDegrees(args[2], 90);
    const Parsed<DayNumber> from = ParseDay(args[3]);
    const Parsed<DayNumber> to = ParseDay(args[4]);
    if (!lon.Ok()) return Fail(err, "LON: " + lon.Error);
    if (!lat.Ok()) return Fail(err, "LAT: " + lat.Error);
    if (!from.Ok()) return Fail(err, "FROM: " + from.Error);
    if (!to.Ok()) return Fail(err, "TO: " + to.Error);
    if (to.Value < from.Value)
        return Fail(err, "FROM: later than TO: " + args[3] + " > " + args[4]);
    for (DayNumber day = from.Value; day <= to.Value; ++day) {
        const LocalRiseSet r = MondAufUntergang(day, lon.Value, lat.Value, clock);
        out << DateText(day) << ',' << (r.HasRise ? ClockText(r.Rise.Second) : "") << ','
            << (r.HasSet ? ClockText(r.Set.Second) : "") << ',' << AllDayNote(r.AllDay) << '\n';
    }
    return 0;
}

}  // namespace

int RunAlmanac(const Args& args, std::ostream& out, std::ostream& err, const ZoneClock& clock) {
    if (args.empty()) {
        err << Usage;
        return 2;
    }
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        out << Usage;
        return 0;
    }
    if (command == "phases") return Phases(args, out, err, clock);
    if (command == "riseset") return RiseSet(args, out, err, clock);
    return Fail(err, "unknown command: " + command + " (try --help)");
}

}  // namespace selenara
