#include "cli/Almanac.h"

#include "astro/LunarPhases.h"
#include "astro/RiseSet.h"
#include "cli/Arguments.h"
#include "cli/Ics.h"
#include "cli/MonthSheet.h"
#include "model/MonthTable.h"
#include "model/MoonDay.h"
#include "model/PhaseEvents.h"
#include "texts/TextTable.h"
#include "Version.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    "                            one DATE,RISE,SET,NOTE a line: the first rise and set;\n"
    "                            NOTE up or down when the moon stays above or below the\n"
    "                            horizon all day, rise2=HH:MM:SS or set2=HH:MM:SS (both\n"
    "                            separated by ;) when it rises or sets a second time;\n"
    "                            a date the time zone skips has no line\n"
    "  month YEAR MONTH [--lang de|en]\n"
    "                            the month as a calendar sheet, Monday first in German\n"
    "                            (the default), Sunday first in English; after each day\n"
    "                            its phase mark: @ new, ) first quarter, O full,\n"
    "                            ( last quarter, B blue moon (second full moon of the\n"
    "                            month); today in brackets, [ 8 ]; below the sheet the\n"
    "                            month's phases with mark, name, local date and time\n"
    "  ics FROM TO [--lang de|en]\n"
    "                            the principal moon phases of the months FROM..TO\n"
    "                            (YYYY-MM) as an iCalendar file, one event a phase\n"
    "  help, --help, -h          this text\n"
    "\n"
    "Times are local clock times of the system time zone (TZ selects another).\n";

constexpr std::string_view Program = "selenara-almanac: ";

int Fail(std::ostream& err, const std::string& message) {
    err << Program << message << '\n';
    return AlmanacBadArgument;
}

// The standard output of a command. Every write is checked and the first
// failure kept with its reason, so that a command stops at once (a listing
// of centuries ends as soon as its reader has gone) and reports it once.
class Output {
public:
    explicit Output(std::ostream& out) : out_(out) {}

    // Does nothing once the stream has failed.
    template <typename... Parts>
    void Write(const Parts&... parts) {
        if (!Ok()) return;
        errno = 0;  // so that a stale value is not taken for the reason
        (out_ << ... << parts);
        if (!Ok()) error_ = errno;
    }

    bool Ok() const { return !out_.fail(); }
    int Error() const { return error_; }  // errno of the failure, or 0

private:
    std::ostream& out_;
    int error_ = 0;
};

// Names the first missing or surplus operand after the command; empty when
// the count matches.
std::string CountError(const Args& args, std::initializer_list<std::string_view> names) {
    const std::size_t given = args.size() - 1;
    if (given < names.size()) return args[0] + ": missing " + std::string(names.begin()[given]);
    if (given > names.size())
        return args[0] + ": unexpected argument: " + ShownArgument(args[names.size() + 1]);
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
        case PhaseKind::NewMoon: return "new";
        case PhaseKind::FirstQuarter: return "first";
        case PhaseKind::FullMoon: return "full";
        case PhaseKind::LastQuarter: return "last";
        case PhaseKind::BlueMoon: return "blue";
        case PhaseKind::None: break;
    }
    return "";
}

YearMonth NextMonth(YearMonth m) {
    return m.Month == 12 ? YearMonth{m.Year + 1, 1} : YearMonth{m.Year, m.Month + 1};
}

// The phase events whose local date lies in the month, in time order.
std::vector<PhaseEvent> MonthEvents(YearMonth month, const ZoneClock& clock) {
    std::vector<PhaseEvent> events;
    for (const PhaseSelector selector : PhaseSelectors) {
        const std::vector<PhaseEvent> some =
            MonthPhaseEvents(selector, month.Month, month.Year, clock);
        events.insert(events.end(), some.begin(), some.end());
    }
    std::sort(events.begin(), events.end(), [](const PhaseEvent& a, const PhaseEvent& b) {
        return a.Ut.Day != b.Ut.Day ? a.Ut.Day < b.Ut.Day : a.Ut.Second < b.Ut.Second;
    });
    return events;
}

void WriteMonthPhases(YearMonth month, Output& out, const ZoneClock& clock) {
    for (const PhaseEvent& e : MonthEvents(month, clock))
        out.Write(KindName(e.Kind), ',', DateText(e.Local.Day), 'T', ClockText(e.Local.Second),
                  OffsetText(OffsetMinutesBetween(e.Ut, e.Local)), '\n');
}

// The operands FROM and TO of a command, parsed; Error names the first that
// does not parse, or both when FROM is later than TO, and is empty otherwise.
template <typename T>
struct Range {
    T From{};
    T To{};
    std::string Error;
};

template <typename T>
Range<T> ParseRange(Parsed<T> (*parse)(std::string_view), const std::string& from,
                    const std::string& to) {
    const Parsed<T> first = parse(from);
    const Parsed<T> last = parse(to);
    if (!first.Ok()) return {{}, {}, "FROM: " + first.Error};
    if (!last.Ok()) return {{}, {}, "TO: " + last.Error};
    if (last.Value < first.Value)
        return {{}, {}, "FROM: later than TO: " + ShownArgument(from) + " > " + ShownArgument(to)};
    return {first.Value, last.Value, {}};
}

int Phases(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    if (const std::string error = CountError(args, {"FROM", "TO"}); !error.empty())
        return Fail(err, error);
    const Range<YearMonth> months = ParseRange(ParseMonth, args[1], args[2]);
    if (!months.Error.empty()) return Fail(err, months.Error);
    for (YearMonth m = months.From; m <= months.To && out.Ok(); m = NextMonth(m))
        WriteMonthPhases(m, out, clock);
    return AlmanacDone;
}

// Up or down on a day without an event; otherwise the events after the
// first of their kind: rise2=HH:MM:SS, set2=..., separated by ';'.
std::string RiseSetNote(const LocalRiseSet& r) {
    if (r.AllDay == AboveHorizonAllDay) return "up";
    if (r.AllDay == BelowHorizonAllDay) return "down";
    std::string note;
    const auto add = [&note](std::string_view name, const std::vector<DayTime>& events) {
        for (std::size_t i = 1; i < events.size(); ++i)
            note += (note.empty() ? "" : ";") + std::string(name) + std::to_string(i + 1) + '=' +
                    ClockText(events[i].Second);
    };
    add("rise", r.Rises);
    add("set", r.Sets);
    return note;
}

int RiseSet(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    if (const std::string error = CountError(args, {"LON", "LAT", "FROM", "TO"}); !error.empty())
        return Fail(err, error);
    const Parsed<double> lon = ParseDegrees(args[1], 180);
    const Parsed<double> lat = ParseDegrees(args[2], 90);
    if (!lon.Ok()) return Fail(err, "LON: " + lon.Error);
    if (!lat.Ok()) return Fail(err, "LAT: " + lat.Error);
    const Range<DayNumber> days = ParseRange(ParseDay, args[3], args[4]);
    if (!days.Error.empty()) return Fail(err, days.Error);
    const Observer place{.Longitude = lon.Value, .Latitude = lat.Value};
    for (DayNumber day = days.From; day <= days.To && out.Ok(); ++day) {
        const LocalRiseSet r = MondAufUntergang(day, place, clock);
        if (!r.DayExists) continue;  // a date the zone skipped
        const auto first = [](const std::vector<DayTime>& events) {
            return events.empty() ? std::string() : ClockText(events.front().Second);
        };
        out.Write(DateText(day), ',', first(r.Rises), ',', first(r.Sets), ',', RiseSetNote(r),
                  '\n');
    }
    return AlmanacDone;
}

// A command of fixed operands followed by an optional "--lang de|en" (or
// "--lang=de"); the language text is checked after the operands.
struct LanguageCommand {
    std::vector<std::string> Operands;
    std::string Language = "de";
};

// Sorts the arguments after the command into operands and the language
// option. Returns the error, empty when the arguments have the right shape.
std::string ReadLanguageCommand(const Args& args, std::initializer_list<std::string_view> names,
                                LanguageCommand& command) {
    const auto isLanguage = [](const std::string& arg) {
        return arg == "--lang" || arg.starts_with("--lang=");
    };
    std::size_t i = 1;
    for (; i < args.size() && command.Operands.size() < names.size(); ++i) {
        if (args[i].starts_with("--")) break;
        command.Operands.push_back(args[i]);
    }
    if (command.Operands.size() < names.size()) {
        if (i == args.size())
            return args[0] + ": missing " + std::string(names.begin()[command.Operands.size()]);
        if (!isLanguage(args[i])) return args[0] + ": unknown option: " + ShownArgument(args[i]);
        std::string error = "--lang: must follow";
        for (const std::string_view name : names) error += ' ' + std::string(name);
        return error;
    }
    for (; i < args.size(); ++i) {
        if (args[i] == "--lang") {
            if (i + 1 == args.size()) return "--lang: missing value";
            command.Language = args[++i];
        } else if (isLanguage(args[i])) {
            command.Language = args[i].substr(7);
        } else if (args[i].starts_with("--")) {
            return args[0] + ": unknown option: " + ShownArgument(args[i]);
        } else {
            return args[0] + ": unexpected argument: " + ShownArgument(args[i]);
        }
    }
    return {};
}

int Month(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    LanguageCommand command;
    if (const std::string error = ReadLanguageCommand(args, {"YEAR", "MONTH"}, command);
        !error.empty())
        return Fail(err, error);
    const Parsed<int> year = ParseYear(command.Operands[0]);
    const Parsed<int> month = ParseMonthNumber(command.Operands[1]);
    const Parsed<LanguageId> language = ParseLanguage(command.Language);
    if (!year.Ok()) return Fail(err, "YEAR: " + year.Error);
    if (!month.Ok()) return Fail(err, "MONTH: " + month.Error);
    if (!language.Ok()) return Fail(err, "--lang: " + language.Error);
    out.Write(MonthSheet(MonatAufbauen(month.Value, year.Value, clock), language.Value), '\n',
              PhaseEventList(MonthEvents({year.Value, month.Value}, clock), language.Value));
    return AlmanacDone;
}

// Stable across exports, so that a re-import updates instead of duplicating.
// A blue moon is named by its full moon: whether a full moon is the month's
// second depends on the zone, and the event should keep its UID in every zone.
std::string EventUid(const PhaseEvent& e) {
    const PhaseKind kind = e.Kind == PhaseKind::BlueMoon ? PhaseKind::FullMoon : e.Kind;
    return std::string(KindName(kind)) + '-' + UtcDateTime(e.Ut) + "@selenara.example.org";
}

int Ics(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    LanguageCommand command;
    if (const std::string error = ReadLanguageCommand(args, {"FROM", "TO"}, command);
        !error.empty())
        return Fail(err, error);
    const Range<YearMonth> months = ParseRange(ParseMonth, command.Operands[0], command.Operands[1]);
    const Parsed<LanguageId> language = ParseLanguage(command.Language);
    if (!months.Error.empty()) return Fail(err, months.Error);
    if (!language.Ok()) return Fail(err, "--lang: " + language.Error);
    std::vector<IcsEvent> events;
    for (YearMonth m = months.From; m <= months.To; m = NextMonth(m))
        for (const PhaseEvent& e : MonthEvents(m, clock))
            events.push_back(
                {EventUid(e), e.Ut, PhaseName(e.Kind, language.Value), command.Language});
    // The whole range takes about half a second to compute: the calendar can
    // go out in one piece.
    out.Write(CalendarText(std::string("-//Selenara//Selenara ") + ProgramVersion + "//EN", events));
    return AlmanacDone;
}

int Command(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        out.Write(Usage);
        return AlmanacDone;
    }
    if (command == "phases") return Phases(args, out, err, clock);
    if (command == "riseset") return RiseSet(args, out, err, clock);
    if (command == "month") return Month(args, out, err, clock);
    if (command == "ics") return Ics(args, out, err, clock);
    return Fail(err, "unknown command: " + ShownArgument(command) + " (try --help)");
}

}  // namespace

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): standard output, then standard error
int RunAlmanac(const Args& args, std::ostream& out, std::ostream& err, const ZoneClock& clock) {
    if (args.empty()) {
        err << Usage;
        return AlmanacBadArgument;
    }
    Output output(out);
    const int status = Command(args, output, err, clock);
    if (status == AlmanacDone && !output.Ok()) return ReportWriteFailure(err, output.Error());
    return status;
}

int ReportWriteFailure(std::ostream& err, int error) {
    err << Program << "cannot write output";
    if (error != 0) err << ": " << std::strerror(error);
    err << '\n';
    return AlmanacWriteFailed;
}

}  // namespace selenara
