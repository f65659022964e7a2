#include "cli/Ics.h"

#include "support/Instants.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

std::vector<std::string> PhysicalLines(const std::string& folded) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < folded.size();) {
        const std::size_t end = folded.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(folded.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

TEST(IcsEscapeText, EscapesTheFourSpecialsAndLineBreaks) {
    const struct {
        std::string In, Out;
    } cases[] = {
        {"Vollmond", "Vollmond"},
        {"a\\b", "a\\\\b"},
        {"a;b,c", "a\\;b\\,c"},
        {"x\ny", "x\\ny"},
        {"x\r\ny", "x\\ny"},  // one break, not two
        {"x\ry", "x\\ny"},    // the text table's own line break
        {"\r\n\r\n", "\\n\\n"},
        {"\\n", "\\\\n"},  // a literal backslash-n stays literal
        {std::string("a\x01") + "b\tc\x7F", "ab\tc"},
        {"Abnehmend, Gewölbt", "Abnehmend\\, Gewölbt"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeText(c.In), c.Out) << c.In;
}

TEST(IcsFoldLine, FoldsAtSeventyFiveOctetsCountingTheLeadingBlank) {
    const struct {
        std::size_t Length;
        std::vector<std::size_t> Lines;  // octets of each physical line, blank included
    } cases[] = {
        {0, {0}}, {75, {75}}, {76, {75, 2}}, {149, {75, 75}}, {150, {75, 75, 2}},
    };
    for (const auto& c : cases) {
        const std::string line(c.Length, 'x');
        const std::vector<std::string> lines = PhysicalLines(FoldLine(line));
        std::vector<std::size_t> lengths;
        for (const std::string& l : lines) lengths.push_back(l.size());
        EXPECT_EQ(lengths, c.Lines) << c.Length;
        for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i][0], ' ');
    }
    EXPECT_EQ(FoldLine(std::string(76, 'x')), std::string(75, 'x') + "\r\n x\r\n");
}

TEST(IcsFoldLine, NeverSplitsAUtf8Sequence) {
    // Two-, three- and four-octet characters, shifted so that the fold
    // position falls at every offset inside a sequence.
    for (const std::string piece : {"ä", "€", "\xF0\x9F\x8C\x95"})
        for (int shift = 0; shift < 4; ++shift) {
            const std::string line = std::string(shift, 'x') + Repeat(piece, 60);
            const std::string folded = FoldLine(line);
            std::string unfolded;
            for (const std::string& l : PhysicalLines(folded)) {
                EXPECT_LE(l.size(), 75u);
                const bool continuation = !unfolded.empty();
                const std::string content = continuation ? l.substr(1) : l;
                EXPECT_EQ(continuation, l.starts_with(' '));
                ASSERT_FALSE(content.empty());
                EXPECT_FALSE(IsContinuationByte(content.front())) << piece << shift;
                unfolded += content;
            }
            EXPECT_EQ(unfolded, line);
        }
    // 37 umlauts fill 74 octets; the 38th would straddle the limit.
    EXPECT_EQ(PhysicalLines(FoldLine(Repeat("ä", 40))).at(0).size(), 74u);
}

TEST(IcsUtcDateTime, BasicFormatInUtc) {
    EXPECT_EQ(UtcDateTime(testing::Ut(DateToDayNumber(31, 1, 1999), 16, 7, 40)), "19990131T160740Z");
    EXPECT_EQ(UtcDateTime(testing::Ut(LastDay, 23, 59, 59)), "39991231T235959Z");
}

TEST(IcsCalendarText, EscapesAndFoldsTheSummary) {
    const std::string summary = "Mond; " + Repeat("Größe, ", 12);
    const std::string text =
        CalendarText("-//T//T//EN", {{"u@x", testing::Ut(DateToDayNumber(2, 1, 1999), 1), summary, "de"}});
    EXPECT_TRUE(
        text.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//T//T//EN\r\n"
                         "CALSCALE:GREGORIAN\r\nBEGIN:VEVENT\r\nUID:u@x\r\n"
                         "DTSTAMP:19990102T010000Z\r\nDTSTART:19990102T010000Z\r\n"
                         "SUMMARY;LANGUAGE=de:Mond\\; Größe\\, "));
    EXPECT_TRUE(text.ends_with("\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    std::string unfolded = text;
    for (std::size_t at; (at = unfolded.find("\r\n ")) != std::string::npos;) unfolded.erase(at, 3);
    EXPECT_NE(unfolded.find("\r\nSUMMARY;LANGUAGE=de:Mond\\; " + Repeat("Größe\\, ", 12) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(
        CalendarText("P", {}),
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:P\r\nCALSCALE:GREGORIAN\r\nEND:VCALENDAR\r\n");
}

}  // namespace
}  // namespace selenara
