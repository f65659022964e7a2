#include "cli/Almanac.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

Result Almanac(const std::vector<std::string>& args, ZoneRule zone = Utc) {
    const FixedClock clock(WinterNoon(), std::move(zone));
    std::ostringstream out, err;
    const int status = RunAlmanac(args, out, err, clock);
    return {status, Lines(out.str()), Lines(err.str())};
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
                         "full,1999-01-02T02:50:40+00:00", "last,1999-01-09T14:22:45+00:00",
                         "new,1999-01-17T15:47:14+00:00", "first,1999-01-24T19:16:16+00:00",
                         "blue,1999-01-31T16:07:40+00:00"}));
    EXPECT_TRUE(r.Err.empty());
}

TEST(AlmanacPhases, LocalTimesCarryTheOffsetInForceAtTheEvent) {
    EXPECT_EQ(LineStarting(Almanac({"phases", "1999-01", "1999-01"}, EuropeBerlin).Out, "blue,"),
              "blue,1999-01-31T17:07:40+01:00");
    // Seen from December, the June event keeps its summer hour.
    const std::string june = LineStarting(
        Almanac({"phases", "2007-06", "2007-06"}, EuropeBerlin).Out, "blue,2007-06-30T15:49:");
    EXPECT_TRUE(june.ends_with("+02:00")) << june;
    // 02:50 UT on 2 January is still 1 January in New York.
    const Result ny = Almanac({"phases", "1999-01", "1999-01"}, AmericaNewYork);
    EXPECT_EQ(ny.Out.at(0), "full,1999-01-01T21:50:40-05:00");
    EXPECT_EQ(ny.Out.at(ny.Out.size() - 1), "blue,1999-01-31T11:07:40-05:00");
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
    EXPECT_EQ(Almanac({"riseset", "8.85", "47.83", "2007-06-15", "2007-06-15"}, EuropeBerlin)
                  .Out.at(0)
                  .substr(0, 20),
              "2007-06-15,04:59:35,");
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
    };
    for (const auto& c : cases) {
        const Result r = Almanac(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Message;
        EXPECT_TRUE(r.Out.empty()) << c.Message;
        EXPECT_EQ(r.Err, std::vector<std::string>{"selenara-almanac: " + c.Message});
    }
}

}  // namespace
}  // namespace selenara
