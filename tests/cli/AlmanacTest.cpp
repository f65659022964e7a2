#include "cli/Almanac.h"

#include "support/FixedClock.h"
#include "support/JsonReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdint>
#include <optional>
#include <set>
#include <sstream>
#include <streambuf>
#include <string_view>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace selenara {
namespace {

using testing::AmericaNewYork;
using testing::EuropeBerlin;
using testing::FixedClock;
using testing::Utc;
using testing::WinterNoon;
using testing::ZoneRule;

struct Result {
    int Status = -1;
    std::vector<std::string> Out;
    std::vector<std::string> Err;
    std::string Text;  // stdout as written
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

Result Run(const std::vector<std::string>& args, const ZoneClock& clock) {
    std::ostringstream out, err;
    const int status = RunAlmanac(args, out, err, clock);
    return {status, Lines(out.str()), Lines(err.str()), out.str()};
}

// With the clock at a local time: the first instant the zone's clock reads it.
Result Almanac(const std::vector<std::string>& args, ZoneRule zone = Utc,
               LocalDayTime now = WinterNoon()) {
    return Run(args, FixedClock(now, std::move(zone)));
}

// With the clock at a UT instant, for the hour a clock repeats.
Result AlmanacAtUt(const std::vector<std::string>& args, ZoneRule zone, UtDayTime ut) {
    FixedClock clock(WinterNoon(), std::move(zone));
    clock.SetUtNow(ut);
    return Run(args, clock);
}

// The values of the content lines of `ics` named `name` ("UID").
std::vector<std::string> IcsValues(const std::string& ics, const std::string& name) {
    std::vector<std::string> values;
    for (std::size_t at = 0; (at = ics.find("\r\n" + name + ":", at)) != std::string::npos;) {
        at += 3 + name.size();
        values.push_back(ics.substr(at, ics.find("\r\n", at) - at));
    }
    return values;
}

// The line of `lines` that begins with `prefix`, or "" when there is none.
std::string LineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    const auto it = std::find_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.starts_with(prefix); });
    return it == lines.end() ? "" : *it;
}

TEST(AlmanacPhases, January1999InUtcListsAllEventsInTimeOrder) {
    const Result r = Almanac({"phases", "1999-01", "1999-01"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, (std::vector<std::string>{
                         "full,1999-01-02T02:49:36+00:00", "last,1999-01-09T14:21:41+00:00",
                         "new,1999-01-17T15:46:11+00:00", "first,1999-01-24T19:15:12+00:00",
                         "blue,1999-01-31T16:06:36+00:00"}));
    EXPECT_TRUE(r.Err.empty());
}

TEST(AlmanacPhases, LocalTimesCarryTheOffsetInForceAtTheEvent) {
    EXPECT_EQ(LineStarting(Almanac({"phases", "1999-01", "1999-01"}, EuropeBerlin).Out, "blue,"),
              "blue,1999-01-31T17:06:36+01:00");
    // Seen from December, the June event keeps its summer hour.
    const std::string june = LineStarting(
        Almanac({"phases", "2007-06", "2007-06"}, EuropeBerlin).Out, "blue,2007-06-30T15:48:");
    EXPECT_TRUE(june.ends_with("+02:00")) << june;
    // 02:49 UT on 2 January is still 1 January in New York.
    const Result ny = Almanac({"phases", "1999-01", "1999-01"}, AmericaNewYork);
    EXPECT_EQ(ny.Out.at(0), "full,1999-01-01T21:49:36-05:00");
    EXPECT_EQ(ny.Out.at(ny.Out.size() - 1), "blue,1999-01-31T11:06:36-05:00");
}

TEST(AlmanacPhases, BlueMoonFollowsTheLocalMonth) {
    // In UT March 1999 has two full moons; in Berlin the second falls on 1 April.
    const Result r = Almanac({"phases", "1999-03", "1999-04"}, EuropeBerlin);
    ASSERT_EQ(r.Status, 0);
    EXPECT_EQ(LineStarting(r.Out, "blue,1999-03"), "");
    const std::string april = LineStarting(r.Out, "full,1999-04");
    EXPECT_TRUE(april.starts_with("full,1999-04-01T00:") && april.ends_with("+02:00")) << april;
    EXPECT_NE(LineStarting(r.Out, "blue,1999-04-30T"), "");
}

TEST(AlmanacRiseSet, DaysInBerlin) {
    const Result r =
        Almanac({"riseset", "8.85", "47.83", "2007-01-09", "2007-01-11"}, EuropeBerlin);
    ASSERT_EQ(r.Out.size(), 3u);
    EXPECT_TRUE(r.Out[1].starts_with("2007-01-10,,")) << r.Out[1];  // the day without moonrise
    EXPECT_TRUE(r.Out[1].ends_with(",")) << r.Out[1];
    // 02:59:35 UT as printed for the published method, 02:59:41 at TT = UT + ΔT.
    EXPECT_EQ(Almanac({"riseset", "8.85", "47.83", "2007-06-15", "2007-06-15"}, EuropeBerlin)
                  .Out.at(0)
                  .substr(0, 20),
              "2007-06-15,04:59:41,");
}

// Tromso rises twice on 29 June 2024 (about 0:15 and 23:47 CEST): the first
// rise in its column, the second in the note. Samoa skipped 30 December
// 2011 (UTC-10 until the end of the 29th, UTC+14 from the 31st): no line.
TEST(AlmanacRiseSet, ASecondRiseInTheNoteAndNoLineForASkippedDay) {
    const Result tromso = Almanac({"riseset", "18.96", "69.65", "2024-06-29", "2024-06-29"}, EuropeBerlin);
    ASSERT_EQ(tromso.Out.size(), 1u);
    const std::string& line = tromso.Out[0];
    EXPECT_TRUE(line.starts_with("2024-06-29,00:1")) << line;
    EXPECT_EQ(line.substr(29, 9), "rise2=23:") << line;
    EXPECT_EQ(line.size(), 43u) << line;

    const DayNumber skipped = DateToDayNumber(30, 12, 2011);
    const auto apia = [skipped](UtDayTime ut) {
        return ut < testing::Ut(skipped, 10) ? -10 * 3600 : 14 * 3600;
    };
    const Result r = Almanac({"riseset", "-171.75", "-13.83", "2011-12-29", "2011-12-31"}, apia);
    ASSERT_EQ(r.Out.size(), 2u);
    EXPECT_TRUE(r.Out[0].starts_with("2011-12-29,")) << r.Out[0];
    EXPECT_TRUE(r.Out[1].starts_with("2011-12-31,")) << r.Out[1];
    // The skipped day alone: an empty array, still JSON.
    EXPECT_EQ(Almanac({"riseset", "-171.75", "-13.83", "2011-12-30", "2011-12-30", "--json"}, apia).Text,
              "[]\n");
}

TEST(AlmanacRiseSet, NegativeLongitudeIsANumber) {
    const Result r =
        Almanac({"riseset", "-85.482", "+42.5", "2007-03-01", "2007-03-02"}, AmericaNewYork);
    EXPECT_EQ(r.Status, 0);
    ASSERT_EQ(r.Out.size(), 2u);
    EXPECT_TRUE(r.Out[1].starts_with("2007-03-02,")) << r.Out[1];
}

TEST(AlmanacRiseSet, HighLatitudeMarksDaysWithoutEvents) {
    const std::vector<std::string> out =
        Almanac({"riseset", "8.85", "80", "2007-02-01", "2007-02-28"}).Out;
    ASSERT_EQ(out.size(), 28u);
    const auto marked = [&](const char* note) {
        return std::count_if(out.begin(), out.end(), [&](const std::string& l) {
            return l.ends_with(",,," + std::string(note));
        });
    };
    EXPECT_GT(marked("up"), 0);
    EXPECT_GT(marked("down"), 0);
}

TEST(AlmanacMonth, December2026InGermanAndEnglish) {
    // Today, 8 December, in brackets; 1 December a Tuesday.
    const Result de = Almanac({"month", "2026", "12"}, EuropeBerlin);
    EXPECT_EQ(de.Status, 0);
    EXPECT_TRUE(de.Err.empty());
    EXPECT_EQ(de.Out, (std::vector<std::string>{
                          "        Dezember 2026",
                          " Mo  Di  Mi  Do  Fr  Sa  So",
                          "      1(  2   3   4   5   6",
                          "  7 [ 8 ] 9@ 10  11  12  13",
                          " 14  15  16  17) 18  19  20",
                          " 21  22  23  24O 25  26  27",
                          " 28  29  30( 31",
                          "",
                          "( Letztes Viertel  01.12.2026  7:08",
                          "@ Neumond          09.12.2026  1:51",
                          ") Erstes Viertel   17.12.2026  6:42",
                          "O Vollmond         24.12.2026  2:28",
                          "( Letztes Viertel  30.12.2026 19:59",
                      }));
    const Result en = Almanac({"month", "2026", "12", "--lang", "en"}, EuropeBerlin);
    EXPECT_EQ(en.Status, 0);
    EXPECT_EQ(en.Out.at(1), " Su  Mo  Tu  We  Th  Fr  Sa");
    EXPECT_EQ(en.Out.at(2), "          1(  2   3   4   5");
    EXPECT_EQ(en.Out.at(3), "  6   7 [ 8 ] 9@ 10  11  12");
    EXPECT_EQ(LineStarting(en.Out, "O "), "O Full Moon      2026-12-24  2:28 AM");
    EXPECT_EQ(Almanac({"month", "2026", "12", "--lang=de"}, EuropeBerlin).Out, de.Out);
}

TEST(AlmanacMonth, TodayOnlyInItsOwnMonthAndBlueMoonMarked) {
    const Result r = Almanac({"month", "1999", "01", "--lang", "en"});
    EXPECT_EQ(r.Text.find('['), std::string::npos);
    EXPECT_EQ(r.Out.at(7), " 31B");
    EXPECT_EQ(LineStarting(r.Out, "B "), "B Blue Moon      1999-01-31  4:06 PM");
}

TEST(AlmanacIcs, January1999InUtc) {
    const Result r = Almanac({"ics", "1999-01", "1999-01", "--lang", "en"});
    ASSERT_EQ(r.Status, 0);
    EXPECT_TRUE(r.Text.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Selenara//"));
    EXPECT_TRUE(r.Text.ends_with("\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    for (std::size_t at = 0; (at = r.Text.find('\n', at)) != std::string::npos; ++at)
        ASSERT_EQ(r.Text[at - 1], '\r') << "bare LF at " << at;
    EXPECT_EQ(IcsValues(r.Text, "SUMMARY;LANGUAGE=en"),
              (std::vector<std::string>{"Full Moon", "Last Quarter", "New Moon", "First Quarter",
                                        "Blue Moon"}));
    EXPECT_EQ(IcsValues(r.Text, "DTSTART").at(4), "19990131T160636Z");
    EXPECT_EQ(IcsValues(r.Text, "DTSTAMP"), IcsValues(r.Text, "DTSTART"));
    const std::vector<std::string> uids = IcsValues(r.Text, "UID");
    ASSERT_EQ(uids.size(), 5u);
    EXPECT_EQ(uids.at(4), "full-19990131T160636Z@selenara.example.org");
    EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
}

// Local midnight of 1 January 1600 ten hours east of UT is 31 December
// 1599 in UT: the full moon of 1 January 1600, 00:37:23 local, is written
// with its UT date, which lies before the calendar's first day.
TEST(AlmanacIcs, AnInstantBeforeTheFirstDayKeepsItsUtDate) {
    const Result r = Almanac({"ics", "1600-01", "1600-01"}, [](UtDayTime) { return 10 * 3600; });
    ASSERT_EQ(r.Status, 0);
    const std::vector<std::string> starts = IcsValues(r.Text, "DTSTART");
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts.front(), "15991231T143723Z");
    EXPECT_EQ(IcsValues(r.Text, "DTSTAMP"), starts);
    EXPECT_EQ(IcsValues(r.Text, "UID").front(), "full-15991231T143723Z@selenara.example.org");
}

TEST(AlmanacIcs, UidsStayTheSameAcrossExports) {
    const std::vector<std::string> january =
        IcsValues(Almanac({"ics", "1999-01", "1999-01"}).Text, "UID");
    // Another day, a wider range: the January events keep their UIDs.
    const std::vector<std::string> wider = IcsValues(
        Almanac({"ics", "1998-12", "1999-02"}, Utc, testing::Local(DateToDayNumber(1, 5, 2030), 0)).Text, "UID");
    for (const std::string& uid : january)
        EXPECT_EQ(std::count(wider.begin(), wider.end(), uid), 1) << uid;
    // The full moon of 31 March 1999 UT is blue in UT, but April's first in
    // Berlin: one event, one UID.
    const auto uidsOf = [](ZoneRule zone) {
        return IcsValues(Almanac({"ics", "1999-03", "1999-04"}, std::move(zone)).Text, "UID");
    };
    const std::vector<std::string> utc = uidsOf(Utc), berlin = uidsOf(EuropeBerlin);
    EXPECT_EQ(std::set<std::string>(utc.begin(), utc.end()),
              std::set<std::string>(berlin.begin(), berlin.end()));
    const std::string blueInUt = "full-19990331T224858Z@selenara.example.org";
    EXPECT_EQ(std::count(berlin.begin(), berlin.end(), blueInUt), 1);
}

LocalDayTime At(int day, int month, int year, int hours, int minutes, int seconds = 0) {
    return testing::Local(DateToDayNumber(day, month, year), hours, minutes, seconds);
}
UtDayTime UtAt(int day, int month, int year, int hours, int minutes, int seconds = 0) {
    return testing::Ut(DateToDayNumber(day, month, year), hours, minutes, seconds);
}

testing::JsonValue Json(const Result& r) {
    EXPECT_EQ(r.Status, 0);
    EXPECT_TRUE(r.Err.empty());
    const std::optional<testing::JsonValue> json = testing::JsonReader::Read(r.Text);
    EXPECT_TRUE(json.has_value()) << r.Text;
    return json.value_or(testing::JsonValue{});
}

TEST(AlmanacPhases, JsonHoldsTheRecordsOfTheLines) {
    const std::vector<std::string> lines = Almanac({"phases", "1999-01", "1999-02"}, EuropeBerlin).Out;
    const testing::JsonValue json =
        Json(Almanac({"phases", "1999-01", "1999-02", "--json"}, EuropeBerlin));
    ASSERT_EQ(json.Items.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(json.Items[i]["kind"].String + ',' + json.Items[i]["time"].String, lines[i]);
}

TEST(AlmanacRiseSet, JsonHasEveryEventWithItsOffset) {
    const testing::JsonValue tromso = Json(
        Almanac({"riseset", "18.96", "69.65", "2024-06-29", "2024-06-29", "--json"}, EuropeBerlin));
    ASSERT_EQ(tromso.Items.size(), 1u);
    const testing::JsonValue& day = tromso.Items[0];
    EXPECT_EQ(day["date"].String, "2024-06-29");
    const std::vector<testing::JsonValue>& rises = day["rises"].Items;
    ASSERT_EQ(rises.size(), 2u);
    EXPECT_TRUE(rises[0].String.starts_with("2024-06-29T00:1")) << rises[0].String;
    EXPECT_TRUE(rises[1].String.starts_with("2024-06-29T23:")) << rises[1].String;
    EXPECT_TRUE(rises[1].String.ends_with("+02:00")) << rises[1].String;
    EXPECT_EQ(day["sets"].Items.size(), 1u);
    EXPECT_TRUE(day["allday"].IsNull());

    const testing::JsonValue polar =
        Json(Almanac({"riseset", "8.85", "80", "2007-02-01", "2007-02-28", "--json"}));
    std::set<std::string> allDay;
    for (const testing::JsonValue& d : polar.Items)
        if (!d["allday"].IsNull()) allDay.insert(d["allday"].String);
    EXPECT_EQ(allDay, (std::set<std::string>{"down", "up"}));
}

// 19 December 2026, 9:05 in Berlin: 10.3 days after the new moon of
// 9 December, 1:51; the full moon follows on the 24th at 2:28. The moon,
// two days past its first quarter, is 72 % lit (libnova's ln_get_lunar_disk
// gives 0.715 for 8:05 UT).
TEST(AlmanacNow, TheDefaultLineInBothLanguages) {
    const LocalDayTime now = At(19, 12, 2026, 9, 5);
    EXPECT_EQ(Almanac({"now", "--lang", "en"}, EuropeBerlin, now).Out,
              std::vector<std::string>{
                  "Waxing Gibbous, 72 % lit, 10.3 days; Full Moon Thu 24 Dec 2:28 AM"});
    EXPECT_EQ(Almanac({"now"}, EuropeBerlin, now).Out,
              std::vector<std::string>{
                  "Zunehmend, Gewölbt, 72 % beleuchtet, 10,3 Tage; Vollmond Do 24.12. 2:28"});
}

// The month of December 2026 in Berlin, as the month sheet lists its phases.
TEST(AlmanacNow, FormatFieldsThroughTheCycle) {
    const struct {
        LocalDayTime Now;
        std::string Language, Format, Line;
    } cases[] = {
        {At(8, 12, 2026, 23, 59), "en", "%e %p", "🌘 Waning Crescent"},
        {At(9, 12, 2026, 0, 30), "en", "%e %p", "🌑 New Moon"},  // before the instant, on its day
        {At(10, 12, 2026, 0, 0), "en", "%e %p", "🌒 Waxing Crescent"},
        {At(17, 12, 2026, 23, 0), "en", "%e %p", "🌓 First Quarter"},
        {At(20, 12, 2026, 12, 0), "en", "%e %p", "🌔 Waxing Gibbous"},
        {At(24, 12, 2026, 0, 0), "en", "%e %p", "🌕 Full Moon"},
        {At(27, 12, 2026, 12, 0), "en", "%e %p", "🌖 Waning Gibbous"},
        {At(30, 12, 2026, 20, 0), "en", "%e %p", "🌗 Last Quarter"},
        {At(27, 12, 2026, 12, 0), "en", "%n %t", "Last Quarter Wed 30 Dec 7:59 PM"},
        {At(27, 12, 2026, 12, 0), "de", "%n %t", "Letztes Viertel Mi 30.12. 19:59"},
        {At(19, 12, 2026, 9, 5), "de", "%i%% %a", "72% 10,3"},
        {At(19, 12, 2026, 9, 5), "en", "100%%%a%%", "100%10.3%"},
        {At(19, 12, 2026, 9, 5), "en", "", ""},
        // Beyond 3999 there is no next phase: its fields are empty.
        {At(31, 12, 3999, 23, 0), "en", "<%n|%t>", "<|>"},
    };
    for (const auto& c : cases) {
        const Result r = Almanac({"now", "--lang", c.Language, "--format", c.Format}, EuropeBerlin, c.Now);
        EXPECT_EQ(r.Status, 0) << c.Format;
        EXPECT_EQ(r.Text, c.Line + '\n') << c.Format;
    }
}

// The UT second of an ISO 8601 local time with offset, "2026-12-24T02:28:41+01:00".
std::int64_t UtSeconds(const std::string& iso) {
    const auto number = [&iso](std::size_t at, std::size_t length) {
        return std::stoi(iso.substr(at, length));
    };
    // An offset with seconds ("+00:53:28") keeps them.
    const int offset = (iso[19] == '-' ? -1 : 1) *
                       (number(20, 2) * 3600 + number(23, 2) * 60 + (iso.size() > 25 ? number(26, 2) : 0));
    return std::int64_t{DateToDayNumber(number(8, 2), number(5, 2), number(0, 4))} * 86400 +
           number(11, 2) * 3600 + number(14, 2) * 60 + number(17, 2) - offset;
}

// Around a new moon, just before a phase instant and across a year's end, in
// three zones: the age counts from the last new moon that `phases` lists, and
// the next phase is the first it lists after now.
TEST(AlmanacNow, AgeAndNextPhaseAgreeWithPhases) {
    const struct {
        LocalDayTime Now;
        ZoneRule Zone;
        std::string From, To;  // the months of `phases` around now
    } cases[] = {
        {At(17, 1, 1999, 15, 46, 10), Utc, "1998-12", "1999-02"},  // a second before the new moon
        {At(17, 1, 1999, 15, 46, 11), Utc, "1998-12", "1999-02"},  // at it
        {At(25, 1, 1999, 12, 0), AmericaNewYork, "1998-12", "1999-02"},  // before the blue moon
        {At(19, 12, 2026, 9, 5), EuropeBerlin, "2026-11", "2027-01"},
        {At(31, 12, 2026, 23, 59, 59), EuropeBerlin, "2026-11", "2027-01"},
        {At(15, 7, 2007, 3, 0), AmericaNewYork, "2007-06", "2007-08"},
    };
    for (const auto& c : cases) {
        const testing::JsonValue now = Json(Almanac({"now", "--json"}, c.Zone, c.Now));
        const testing::JsonValue phases =
            Json(Almanac({"phases", c.From, c.To, "--json"}, c.Zone, c.Now));
        const std::int64_t t = UtSeconds(now["time"].String);
        const testing::JsonValue* newMoon = nullptr;
        const testing::JsonValue* next = nullptr;
        for (const testing::JsonValue& e : phases.Items) {
            if (e["kind"].String == "new" && UtSeconds(e["time"].String) <= t) newMoon = &e;
            if (!next && UtSeconds(e["time"].String) > t) next = &e;
        }
        ASSERT_TRUE(newMoon && next) << now["time"].String;
        EXPECT_NEAR(now["age"].Number, static_cast<double>(t - UtSeconds((*newMoon)["time"].String)) / 86400, 0.005)
            << now["time"].String;
        EXPECT_EQ(now["next"]["kind"].String, (*next)["kind"].String) << now["time"].String;
        EXPECT_EQ(now["next"]["time"].String, (*next)["time"].String) << now["time"].String;
    }
}

// The clock is read in UT and local time derived from it. Berlin's clock
// runs 2:00-3:00 twice on 25 October 2026 (summer time ends at 01:00 UT)
// and skips it on 29 March; before 1893 Berlin kept local mean time,
// +00:53:28 (tz database). On 30 October 2067 summer time ends too, and the
// last quarter of 01:08:02 UT (02:08:02+01:00) is over at 01:30 UT.
TEST(AlmanacNow, TheTimeIsTheClocksInstantInEveryHour) {
    const ZoneRule berlinMeanTime = [](UtDayTime) { return 53 * 60 + 28; };
    const struct {
        ZoneRule Zone;
        UtDayTime Ut;
        std::string Time;
    } cases[] = {
        {EuropeBerlin, UtAt(25, 10, 2026, 0, 30), "2026-10-25T02:30:00+02:00"},
        {EuropeBerlin, UtAt(25, 10, 2026, 1, 30), "2026-10-25T02:30:00+01:00"},
        {EuropeBerlin, UtAt(25, 10, 2026, 0, 59, 59), "2026-10-25T02:59:59+02:00"},
        {EuropeBerlin, UtAt(25, 10, 2026, 1, 0, 0), "2026-10-25T02:00:00+01:00"},
        {EuropeBerlin, UtAt(29, 3, 2026, 0, 59, 59), "2026-03-29T01:59:59+01:00"},
        {EuropeBerlin, UtAt(29, 3, 2026, 1, 0, 0), "2026-03-29T03:00:00+02:00"},
        {EuropeBerlin, UtAt(30, 10, 2067, 1, 30), "2067-10-30T02:30:00+01:00"},
        {berlinMeanTime, UtAt(1, 1, 1800, 0, 0), "1800-01-01T00:53:28+00:53:28"},
    };
    for (const auto& c : cases) {
        const testing::JsonValue now = Json(AlmanacAtUt({"now", "--json"}, c.Zone, c.Ut));
        EXPECT_EQ(now["time"].String, c.Time);
        EXPECT_EQ(UtSeconds(now["time"].String), SecondCount(c.Ut)) << c.Time;
        EXPECT_GT(UtSeconds(now["next"]["time"].String), SecondCount(c.Ut)) << c.Time;
    }
    // The two readings of 2:30 are an hour apart in age too.
    const auto age = [](UtDayTime ut) { return Json(AlmanacAtUt({"now", "--json"}, EuropeBerlin, ut))["age"].Number; };
    EXPECT_NEAR(age(UtAt(25, 10, 2026, 1, 30)) - age(UtAt(25, 10, 2026, 0, 30)), 1.0 / 24, 0.011);
}

// On the calendar's last day no next phase follows: the line ends after the
// age, without a dangling separator.
TEST(AlmanacNow, TheLastDayHasNoNextPhase) {
    const Result r = Almanac({"now", "--lang", "en"}, EuropeBerlin, At(31, 12, 3999, 23, 59, 59));
    EXPECT_EQ(r.Out, std::vector<std::string>{"Waxing Gibbous, 80 % lit, 11.0 days"});
}

// US Naval Observatory, Fraction of the Moon Illuminated, 2018, at midnight
// Eastern Standard Time (05:00 UT, 1:00 daylight time in New York),
// printed to 0.01: within 0.01 of the table is within 1 % of the disk.
TEST(AlmanacNow, PercentLitAgreesWithThePublishedAlmanac) {
    const struct {
        int Day;
        double Fraction;
    } published[] = {{10, 0.00}, {12, 0.08}, {14, 0.24}, {16, 0.43}, {18, 0.62}};
    for (const auto& p : published) {
        const testing::JsonValue now =
            Json(Almanac({"now", "--json"}, AmericaNewYork, At(p.Day, 9, 2018, 1, 0)));
        EXPECT_EQ(now["time"].String, "2018-09-" + std::to_string(p.Day) + "T01:00:00-04:00");
        EXPECT_NEAR(now["illuminated"].Number, 100 * p.Fraction, 1.0) << "September " << p.Day;
    }
}

TEST(AlmanacNow, JsonHasTheFieldsOfTheLine) {
    const LocalDayTime now = At(19, 12, 2026, 9, 5);
    const testing::JsonValue de = Json(Almanac({"now", "--json"}, EuropeBerlin, now));
    EXPECT_EQ(de["time"].String, "2026-12-19T09:05:00+01:00");
    EXPECT_EQ(de["phase"].String, "Zunehmend, Gewölbt");
    EXPECT_EQ(de["emoji"].String, "🌔");
    EXPECT_NEAR(de["age"].Number, 10.3, 0.05);
    EXPECT_EQ(de["next"]["kind"].String, "full");
    EXPECT_EQ(de["next"]["name"].String, "Vollmond");
    EXPECT_TRUE(de["next"]["time"].String.starts_with("2026-12-24T02:28:")) << de["next"]["time"].String;
    EXPECT_EQ(Json(Almanac({"now", "--json", "--lang", "en"}, EuropeBerlin, now))["next"]["name"].String,
              "Full Moon");
    const testing::JsonValue last = Json(Almanac({"now", "--json"}, Utc, At(31, 12, 3999, 23, 0)));
    EXPECT_EQ(last["next"].Kind, testing::JsonValue::Type::Null);
    EXPECT_EQ(last["illuminated"].Kind, testing::JsonValue::Type::Number);
}

// For its scope, the first installed locale under which printf writes a
// decimal comma, as a program that runs the almanac might set.
struct CommaLocale {
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252"})
            if (std::setlocale(LC_ALL, name) && PrintfWritesAComma()) return;
        std::setlocale(LC_ALL, Previous.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_ALL, Previous.c_str()); }
    static bool PrintfWritesAComma() {
        char probe[8];
        return std::snprintf(probe, sizeof probe, "%.1f", 0.5) == 3 && std::string_view(probe) == "0,5";
    }
    const std::string Previous = std::setlocale(LC_ALL, nullptr);
};

// The numbers of JSON and of the line keep their point whatever locale the
// caller has set. 19 December 2026, 9:05 in Berlin, as in the default line:
// 71.5 % lit (its reference gives 0.715).
TEST(AlmanacNow, NumbersKeepTheirPointInALocaleWithADecimalComma) {
    const CommaLocale locale;
    if (!CommaLocale::PrintfWritesAComma()) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const struct {
        std::vector<std::string> Args;
        std::string Text;
    } cases[] = {
        {{"now", "--lang", "en", "--format", "%i %a"}, "72 10.3\n"},
        {{"now", "--lang", "en", "--json"},
         R"({"time":"2026-12-19T09:05:00+01:00","phase":"Waxing Gibbous","emoji":"🌔","illuminated":71.5,"age":10.30,)"
         R"("next":{"kind":"full","name":"Full Moon","time":"2026-12-24T02:28:13+01:00"}})" "\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Almanac(c.Args, EuropeBerlin, At(19, 12, 2026, 9, 5)).Text, c.Text) << c.Args.back();
}

TEST(AlmanacUsage, HelpOnStdoutAndMissingCommandOnStderr) {
    for (const char* help : {"help", "--help", "-h"}) {
        const Result r = Almanac({help, "whatever"});
        EXPECT_EQ(r.Status, 0) << help;
        EXPECT_EQ(r.Out.at(0), "Usage: selenara-almanac COMMAND ARGUMENTS") << help;
        EXPECT_TRUE(r.Err.empty()) << help;
    }
    const Result none = Almanac({});
    EXPECT_EQ(none.Status, 2);
    EXPECT_TRUE(none.Out.empty());
    EXPECT_EQ(none.Err.at(0), "Usage: selenara-almanac COMMAND ARGUMENTS");
}

TEST(AlmanacUsage, EachBadArgumentGivesOneLineNamingIt) {
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"moon"}, "unknown command: moon (try --help)"},
        {{"phases", "1999-01"}, "phases: missing TO"},
        {{"phases", "1999-01", "1999-02", "1999-03"}, "phases: unexpected argument: 1999-03"},
        {{"phases", "1999-13", "1999-12"}, "FROM: month must be 1..12: 1999-13"},
        {{"phases", "1999-01", "1999-00"}, "TO: month must be 1..12: 1999-00"},
        {{"phases", "1599-12", "1999-01"}, "FROM: year must be 1600..3999: 1599-12"},
        {{"phases", "1999-1", "1999-02"}, "FROM: expected YYYY-MM: 1999-1"},
        {{"phases", "1999-01-01", "1999-02"}, "FROM: expected YYYY-MM: 1999-01-01"},
        {{"phases", "1999-05", "1999-03"}, "FROM: later than TO: 1999-05 > 1999-03"},
        {{"riseset", "abc", "47.83", "2007-01-01", "2007-01-02"}, "LON: not a number: abc"},
        {{"riseset", "12x", "47.83", "2007-01-01", "2007-01-02"}, "LON: not a number: 12x"},
        {{"riseset", "", "47.83", "2007-01-01", "2007-01-02"}, "LON: not a number: \"\""},
        {{"riseset", "8.85", "nan", "2007-01-01", "2007-01-02"}, "LAT: not a number: nan"},
        {{"riseset", "8.85", "inf", "2007-01-01", "2007-01-02"}, "LAT: not a number: inf"},
        {{"riseset", "-180.5", "47.83", "2007-01-01", "2007-01-02"},
         "LON: must be -180..180: -180.5"},
        {{"riseset", "8.85", "90.01", "2007-01-01", "2007-01-02"}, "LAT: must be -90..90: 90.01"},
        {{"riseset", "8.85", "47.83", "2001-04-31", "2001-05-01"}, "FROM: no such day: 2001-04-31"},
        {{"riseset", "8.85", "47.83", "2001-04-01", "2001-04"}, "TO: expected YYYY-MM-DD: 2001-04"},
        {{"month", "2026"}, "month: missing MONTH"},
        {{"month", "2026", "12", "1"}, "month: unexpected argument: 1"},
        {{"month", "1599", "12"}, "YEAR: must be 1600..3999: 1599"},
        {{"month", "4000", "1"}, "YEAR: must be 1600..3999: 4000"},
        {{"month", "-2026", "1"}, "YEAR: not a number: -2026"},
        {{"month", "2026", "13"}, "MONTH: must be 1..12: 13"},
        {{"month", "2026", "0"}, "MONTH: must be 1..12: 0"},
        {{"month", "2026", "+3"}, "MONTH: not a number: +3"},
        {{"month", "2026", ""}, "MONTH: not a number: \"\""},
        {{"month", "2026", "12", "--lang", "fr"}, "--lang: expected de or en: fr"},
        {{"month", "2026", "12", "--lang=EN"}, "--lang: expected de or en: EN"},
        {{"month", "2026", "12", "--lang="}, "--lang: expected de or en: \"\""},
        {{"month", "2026", "12", "--lang"}, "--lang: missing value"},
        {{"month", "--lang", "en", "2026", "12"}, "--lang: must follow YEAR MONTH"},
        {{"month", "2026", "12", "--language", "en"}, "month: unknown option: --language"},
        {{"ics", "2026-01"}, "ics: missing TO"},
        {{"ics", "2026-01", "2026-1"}, "TO: expected YYYY-MM: 2026-1"},
        {{"ics", "2026-03", "2026-01"}, "FROM: later than TO: 2026-03 > 2026-01"},
        {{"ics", "2026-01", "--lang", "en", "2026-02"}, "--lang: must follow FROM TO"},
        {{"ics", "2026-01", "2026-02", "--lang", "xx"}, "--lang: expected de or en: xx"},
        {{"phases", "1999-01", "1999-02", "--lang", "en"}, "phases: unknown option: --lang"},
        {{"phases", "1999-01", "1999-02", "--json=1"}, "phases: unknown option: --json=1"},
        {{"phases", "--json", "1999-01", "1999-02"}, "--json: must follow FROM TO"},
        {{"riseset", "8.85", "47.83", "2007-01-01", "--json"}, "--json: must follow LON LAT FROM TO"},
        {{"month", "2026", "12", "--json"}, "month: unknown option: --json"},
        {{"now", "x"}, "now: unexpected argument: x"},
        {{"now", "--lang", "fr"}, "--lang: expected de or en: fr"},
        {{"now", "--format"}, "--format: missing value"},
        {{"now", "--format", "%p", "--json"}, "--format: not with --json"},
        {{"now", "--format", "%x"}, "--format: unknown field %x (fields: %p %i %a %n %t %e %%): %x"},
        {{"now", "--format", "%P"}, "--format: unknown field %P (fields: %p %i %a %n %t %e %%): %P"},
        {{"now", "--format=%é"}, "--format: unknown field %é (fields: %p %i %a %n %t %e %%): %é"},
        {{"now", "--format", "%\x1b"},
         "--format: unknown field %\\x1b (fields: %p %i %a %n %t %e %%): %\\x1b"},
        {{"now", "--format", "50%"}, "--format: lone % at the end: 50%"},
        {{"now", "--format", "%%%"}, "--format: lone % at the end: %%%"},
    };
    for (const auto& c : cases) {
        const Result r = Almanac(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Message;
        EXPECT_TRUE(r.Out.empty()) << c.Message;
        EXPECT_EQ(r.Err, std::vector<std::string>{"selenara-almanac: " + c.Message});
    }
}

TEST(AlmanacUsage, ArgumentsAreShownEscapedAndCut) {
    const std::string x60(60, 'x');
    std::string e60, esc56;
    for (int i = 0; i < 60; ++i) e60 += "é";
    for (int i = 0; i < 56; ++i) esc56 += "\\x1b";
    const struct {
        std::vector<std::string> Args;
        std::string Message;
    } cases[] = {
        {{"moon\x1b[31m"}, "unknown command: moon\\x1b[31m (try --help)"},
        {{"phases", "1999-01\n", "1999-02"}, "FROM: expected YYYY-MM: 1999-01\\x0a"},
        {{"phases", "1999-01", "1999-02", "\t\r"}, "phases: unexpected argument: \\x09\\x0d"},
        {{"month", "2026", "12", "x\x7f"}, "month: unexpected argument: x\\x7f"},
        {{"month", "--lang\x1b"}, "month: unknown option: --lang\\x1b"},
        {{"month", "2026", "12", "--x\x01"}, "month: unknown option: --x\\x01"},
        // U+009B begins an escape sequence as ESC [ does.
        {{"ics", "\xc2\x9b" "2J", "2026-02"}, "FROM: expected YYYY-MM: \\xc2\\x9b2J"},
        // Not UTF-8: a stray continuation, an overlong '/', a surrogate, a cut sequence.
        {{"moon\x80\xc0\xaf\xed\xa0\x80\xe2\x80"},
         "unknown command: moon\\x80\\xc0\\xaf\\xed\\xa0\\x80\\xe2\\x80 (try --help)"},
        {{"month", "2026", "12", "--lang", "dé"}, "--lang: expected de or en: dé"},
        {{"phases", "1999-01", "1999-02", x60}, "phases: unexpected argument: " + x60},
        {{"phases", "1999-01", "1999-02", x60 + "y"},
         "phases: unexpected argument: " + x60 + "…"},
        {{"phases", "1999-01", "1999-02", std::string(100'000, 'x')},
         "phases: unexpected argument: " + x60 + "…"},
        {{"month", "2026", "12", "--lang", e60 + e60}, "--lang: expected de or en: " + e60 + "…"},
        // An escaped character counts as one.
        {{"moon" + std::string(100, '\x1b')}, "unknown command: moon" + esc56 + "… (try --help)"},
    };
    for (const auto& c : cases) {
        const Result r = Almanac(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Message;
        EXPECT_EQ(r.Err, std::vector<std::string>{"selenara-almanac: " + c.Message});
    }
}

// A device that takes `room` bytes and then fails every write with ENOSPC,
// as a full disk does.
class FullDevice final : public std::streambuf {
public:
    explicit FullDevice(std::streamsize room) : room_(room) {}
    bool Full() const { return full_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        const std::streamsize taken = std::min(n, room_);
        room_ -= taken;
        if (taken < n) {
            full_ = true;
            errno = ENOSPC;
        }
        return taken;
    }

private:
    std::streamsize room_;
    bool full_ = false;
};

// UT, and counts what the command asks once the device is full: a command
// that stops at once asks nothing more.
class WatchingClock final : public ZoneClock {
public:
    explicit WatchingClock(const FullDevice& device) : device_(device) {}
    UtDayTime UtNow() const override { return Count(testing::Ut(DateToDayNumber(8, 12, 2026), 12)); }
    int UtcOffsetSecondsAt(UtDayTime) const override { return Count(0); }
    int AskedWhenFull() const { return asked_; }

private:
    template <typename T>
    T Count(T value) const {
        if (device_.Full()) ++asked_;
        return value;
    }
    const FullDevice& device_;
    mutable int asked_ = 0;
};

const std::vector<std::vector<std::string>> EveryCommand = {
    {"help"},
    {"phases", "1999-01", "2001-12"},
    {"riseset", "8.85", "47.83", "2007-01-01", "2007-12-31"},
    {"month", "2026", "12"},
    {"ics", "1999-01", "1999-12"},
    {"now", "--format", std::string(300, '*')},  // a line longer than the room
    {"phases", "1999-01", "2001-12", "--json"},
    {"riseset", "8.85", "47.83", "2007-01-01", "2007-12-31", "--json"},
};

TEST(AlmanacOutput, AFullDeviceStopsTheCommandWithOneLineAndStatus1) {
    for (const std::streamsize room : {0, 200}) {
        for (const std::vector<std::string>& args : EveryCommand) {
            FullDevice device(room);
            const WatchingClock clock(device);
            std::ostream out(&device);
            std::ostringstream err;
            EXPECT_EQ(RunAlmanac(args, out, err, clock), 1) << args[0] << ' ' << room;
            EXPECT_EQ(err.str(), "selenara-almanac: cannot write output: No space left on device\n")
                << args[0] << ' ' << room;
            EXPECT_EQ(clock.AskedWhenFull(), 0) << args[0] << ' ' << room;
        }
    }
}

TEST(AlmanacOutput, AStreamFailedBeforehandGivesStatus1WithoutAReason) {
    for (const std::ios::iostate state : {std::ios::badbit, std::ios::failbit}) {
        for (const std::vector<std::string>& args : EveryCommand) {
            const FixedClock clock(WinterNoon(), Utc);
            std::ostringstream out, err;
            out.setstate(state);
            errno = EACCES;  // left over from something else: no reason of this failure
            EXPECT_EQ(RunAlmanac(args, out, err, clock), 1) << args[0];
            EXPECT_EQ(err.str(), "selenara-almanac: cannot write output\n") << args[0];
            EXPECT_EQ(out.str(), "") << args[0];
        }
    }
    // A bad argument is still told as such.
    const FixedClock clock(WinterNoon(), Utc);
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunAlmanac({"month", "2026", "13"}, out, err, clock), 2);
    EXPECT_EQ(err.str(), "selenara-almanac: MONTH: must be 1..12: 13\n");
}

#ifndef _WIN32
enum class StandardOutput { DevNull, DevFull, Closed, ReaderLeaves };

struct Ended {
    int Status = -1;  // the exit status, or minus the signal that ended it
    std::string Err;
};

// Runs the built program in UTC with SIGPIPE ignored and its standard output
// as `kind` says; a reader that leaves takes the first byte, then closes.
Ended RunProgram(std::vector<std::string> args, StandardOutput kind) {
    args.insert(args.begin(), SELENARA_ALMANAC);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    char tz[] = "TZ=UTC";
    char* envp[] = {tz, nullptr};
    int errPipe[2], outPipe[2];
    if (pipe(errPipe) != 0 || pipe(outPipe) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_IGN);
        dup2(errPipe[1], STDERR_FILENO);
        switch (kind) {
            case StandardOutput::DevNull: dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO); break;
            case StandardOutput::DevFull: dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO); break;
            case StandardOutput::Closed: close(STDOUT_FILENO); break;
            case StandardOutput::ReaderLeaves: dup2(outPipe[1], STDOUT_FILENO); break;
        }
        for (const int fd : {errPipe[0], errPipe[1], outPipe[0], outPipe[1]}) close(fd);
        execve(argv[0], argv.data(), envp);
        _exit(127);
    }
    close(errPipe[1]);
    close(outPipe[1]);
    if (kind == StandardOutput::ReaderLeaves) {
        char first = 0;
        EXPECT_EQ(read(outPipe[0], &first, 1), 1);
    }
    close(outPipe[0]);
    Ended ended;
    pollfd errReady{errPipe[0], POLLIN, 0};
    char buffer[4096];
    for (;;) {
        // Generous: the command should end within a second of the reader leaving.
        if (poll(&errReady, 1, 60'000) != 1) {
            ADD_FAILURE() << "still running";
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t got = read(errPipe[0], buffer, sizeof buffer);
        if (got <= 0) break;
        ended.Err.append(buffer, static_cast<std::size_t>(got));
    }
    close(errPipe[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ended.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return ended;
}

TEST(AlmanacOutput, TheProgramReportsOutputThatCannotBeWritten) {
    using enum StandardOutput;
    const struct {
        StandardOutput Kind;
        std::vector<std::string> Args;
        int Status;
        std::string Err;
    } cases[] = {
        {DevNull, {"month", "2026", "12"}, 0, ""},
        {DevFull, {"ics", "2027-01", "2027-12"}, 1, "No space left on device"},
        {DevFull, {"month", "2026", "12"}, 1, "No space left on device"},  // fails at the flush
        {Closed, {"ics", "2027-01", "2027-12"}, 1, "Bad file descriptor"},
        {Closed, {"help"}, 1, "Bad file descriptor"},
        {ReaderLeaves, {"riseset", "8.85", "47.83", "1600-01-01", "3999-12-31"}, 1, "Broken pipe"},
        {ReaderLeaves, {"phases", "1600-01", "3999-12"}, 1, "Broken pipe"},
    };
    for (const auto& c : cases) {
        const Ended ended = RunProgram(c.Args, c.Kind);
        EXPECT_EQ(ended.Status, c.Status) << c.Args[0] << ' ' << c.Err;
        EXPECT_EQ(ended.Err,
                  c.Err.empty() ? "" : "selenara-almanac: cannot write output: " + c.Err + '\n');
    }
}
#endif

}  // namespace
}  // namespace selenara
