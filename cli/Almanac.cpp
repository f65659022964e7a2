#include "cli/Almanac.h"

#include "astro/LunarPhases.h"
#include "astro/RiseSet.h"
#include "cli/Arguments.h"
#include "cli/CommandLine.h"
#include "cli/Ics.h"
#include "cli/Json.h"
#include "cli/MonthSheet.h"
#include "cli/NowReport.h"
#include "cli/Records.h"
#include "model/MonthTable.h"
#include "model/MoonDay.h"
#include "model/MoonNow.h"
#include "model/PhaseEvents.h"
#include "texts/TextTable.h"
#include "Version.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string_view>

namespace selenara {
namespace {

using Args = std::vector<std::string>;

constexpr std::string_view Usage =
    "Usage: selenara-almanac COMMAND ARGUMENTS\n"
    "\n"
    "  phases FROM TO [--json]   principal moon phases of the months FROM..TO (YYYY-MM),\n"
    "                            one KIND,TIME a line; KIND is new, first, full, blue or last\n"
    "  riseset LON LAT FROM TO [--json]\n"
    "                            moonrise and moonset on the days FROM..TO (YYYY-MM-DD)\n"
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
    "  now [--lang de|en] [--format FMT | --json]\n"
    "                            the moon now in one line, for a status bar: its phase,\n"
    "                            percent lit, age in days and the next principal phase;\n"
    "                            FMT is text with %p phase, %i percent lit, %a age,\n"
    "                            %n next phase, %t its local time, %e moon emoji, %% %\n"
    "  help, --help, -h          this text\n"
    "  --version                 the program's name and version\n"
    "\n"
    "--json writes JSON with ISO 8601 times: an array of objects for phases and\n"
    "riseset, one object for now.\n"
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
    std::sort(events.begin(), events.end(),
              [](const PhaseEvent& a, const PhaseEvent& b) { return a.Ut < b.Ut; });
    return events;
}

// The records of `phases` and `riseset`: CSV lines, or with --json one JSON
// array, an object a line. Each record goes out as soon as it is known, so
// that a reader who has gone stops a long listing at once.
class Listing {
public:
    Listing(Output& out, bool json) : out_(out), json_(json) {}

    bool Json() const { return json_; }
    bool Ok() const { return out_.Ok(); }

    // A line of CSV, or an object of JSON, without its line end.
    void Add(const std::string& record) {
        out_.Write(!json_ ? "" : count_ == 0 ? "[\n" : ",\n", record, json_ ? "" : "\n");
        ++count_;
    }

    // Closes the JSON array; nothing for CSV.
    void End() {
        if (json_) out_.Write(count_ == 0 ? "[" : "\n", "]\n");
    }

private:
    Output& out_;
    bool json_;
    std::size_t count_ = 0;
};

std::string PhaseRecord(const PhaseEvent& e, bool json) {
    const std::string time = IsoLocalTime(e.Ut, e.Local);
    if (!json) return std::string(KindName(e.Kind)) + ',' + time;
    return JsonObject().Add("kind", JsonString(KindName(e.Kind))).Add("time", JsonString(time)).Text();
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
    CommandLine line;
    if (const std::string error = ReadCommandLine(args, {"FROM", "TO"}, JsonOption, line);
        !error.empty())
        return Fail(err, error);
    const Range<YearMonth> months = ParseRange(ParseMonth, line.Operands[0], line.Operands[1]);
    if (!months.Error.empty()) return Fail(err, months.Error);
    Listing listing(out, line.Json);
    for (YearMonth m = months.From; m <= months.To && listing.Ok(); m = NextMonth(m))
        for (const PhaseEvent& e : MonthEvents(m, clock)) listing.Add(PhaseRecord(e, line.Json));
    listing.End();
    return AlmanacDone;
}

// Up or down on a day without an event; otherwise the events after the
// first of their kind: rise2=HH:MM:SS, set2=..., separated by ';'.
std::string RiseSetNote(const LocalRiseSet& r) {
    if (r.AllDay == AboveHorizonAllDay) return "up";
    if (r.AllDay == BelowHorizonAllDay) return "down";
    std::string note;
    const auto add = [&note](std::string_view name, const std::vector<LocalDayTime>& events) {
        for (std::size_t i = 1; i < events.size(); ++i)
            note += (note.empty() ? "" : ";") + std::string(name) + std::to_string(i + 1) + '=' +
                    IsoClock(events[i].Second);
    };
    add("rise", r.Rises);
    add("set", r.Sets);
    return note;
}

std::string RiseSetCsv(DayNumber day, const LocalRiseSet& r) {
    const auto first = [](const std::vector<LocalDayTime>& events) {
        return events.empty() ? std::string() : IsoClock(events.front().Second);
    };
    return IsoDate(day) + ',' + first(r.Rises) + ',' + first(r.Sets) + ',' + RiseSetNote(r);
}

// Every event of the day with its offset, and "up" or "down" (else null)
// for a day the moon stays above or below the horizon.
std::string RiseSetJson(DayNumber day, const LocalRiseSet& r) {
    const auto times = [](const std::vector<UtDayTime>& ut, const std::vector<LocalDayTime>& local) {
        std::vector<std::string> values;
        for (std::size_t i = 0; i < local.size(); ++i)
            values.push_back(JsonString(IsoLocalTime(ut[i], local[i])));
        return JsonArray(values);
    };
    const bool allDay = r.AllDay == AboveHorizonAllDay || r.AllDay == BelowHorizonAllDay;
    return JsonObject()
        .Add("date", JsonString(IsoDate(day)))
        .Add("rises", times(r.RisesUt, r.Rises))
        .Add("sets", times(r.SetsUt, r.Sets))
        .Add("allday", allDay ? JsonString(RiseSetNote(r)) : "null")
        .Text();
}

int RiseSet(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    CommandLine line;
    if (const std::string error =
            ReadCommandLine(args, {"LON", "LAT", "FROM", "TO"}, JsonOption, line);
        !error.empty())
        return Fail(err, error);
    const std::vector<std::string>& operands = line.Operands;
    const Parsed<double> lon = ParseDegrees(operands[0], 180);
    const Parsed<double> lat = ParseDegrees(operands[1], 90);
    if (!lon.Ok()) return Fail(err, "LON: " + lon.Error);
    if (!lat.Ok()) return Fail(err, "LAT: " + lat.Error);
    const Range<DayNumber> days = ParseRange(ParseDay, operands[2], operands[3]);
    if (!days.Error.empty()) return Fail(err, days.Error);
    const Observer place{.Longitude = lon.Value, .Latitude = lat.Value};
    Listing listing(out, line.Json);
    for (DayNumber day = days.From; day <= days.To && listing.Ok(); ++day) {
        const LocalRiseSet r = MondAufUntergang(day, place, clock);
        if (!r.DayExists) continue;  // a date the zone skipped
        listing.Add(line.Json ? RiseSetJson(day, r) : RiseSetCsv(day, r));
    }
    listing.End();
    return AlmanacDone;
}

int Month(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    CommandLine command;
    if (const std::string error =
            ReadCommandLine(args, {"YEAR", "MONTH"}, LanguageOption, command);
        !error.empty())
        return Fail(err, error);
    const Parsed<int> year = ParseYear(command.Operands[0]);
    const Parsed<int> month = ParseMonthNumber(command.Operands[1]);
    const Parsed<LanguageId> language = ParseLanguage(command.Language);
    if (!year.Ok()) return Fail(err, "YEAR: " + year.Error);
    if (!month.Ok()) return Fail(err, "MONTH: " + month.Error);
    if (!language.Ok()) return Fail(err, "--lang: " + language.Error);
    out.Write(MonthSheet(MonatAufbauen(month.Value, year.Value, TodayDayNumber(clock), clock), language.Value), '\n',
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
    CommandLine command;
    if (const std::string error = ReadCommandLine(args, {"FROM", "TO"}, LanguageOption, command);
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

// The moon at the clock's now, for a status bar.
int Now(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    CommandLine line;
    if (const std::string error =
            ReadCommandLine(args, {}, LanguageOption | FormatOption | JsonOption, line);
        !error.empty())
        return Fail(err, error);
    const Parsed<LanguageId> language = ParseLanguage(line.Language);
    if (!language.Ok()) return Fail(err, "--lang: " + language.Error);
    if (line.Format && line.Json) return Fail(err, "--format: not with --json");
    Parsed<std::vector<FormatPiece>> format;
    if (line.Format) format = ParseNowFormat(*line.Format);
    if (!format.Ok()) return Fail(err, "--format: " + format.Error);
    const MoonNow moon = MoonAt(ReadClock(clock).Ut, clock);
    if (!line.Format) format.Value = DefaultNowFormat(language.Value, moon.Next.Kind != PhaseKind::None);
    out.Write(line.Json ? NowJson(moon, language.Value) : NowLine(moon, format.Value, language.Value),
              '\n');
    return AlmanacDone;
}

int Command(const Args& args, Output& out, std::ostream& err, const ZoneClock& clock) {
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        out.Write(Usage);
        return AlmanacDone;
    }
    if (command == "--version") {
        out.Write(std::string("selenara-almanac ") + ProgramRelease, '\n');
        return AlmanacDone;
    }
    if (command == "phases") return Phases(args, out, err, clock);
    if (command == "riseset") return RiseSet(args, out, err, clock);
    if (command == "month") return Month(args, out, err, clock);
    if (command == "ics") return Ics(args, out, err, clock);
    if (command == "now") return Now(args, out, err, clock);
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
