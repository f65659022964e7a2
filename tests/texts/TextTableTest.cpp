#include "texts/TextTable.h"

#include "texts/TextIds.h"

#include <gtest/gtest.h>

#include <string>

namespace selenara {
namespace {

// Characters of a UTF-8 text (a carriage return counts as one).
std::size_t Length(const std::string& s) {
    std::size_t n = 0;
    for (const unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(TextById, OnlyGermanAndEnglishHaveTexts) {
    for (const LanguageId language : {LanguageId{0}, LanguageId{3}, LanguageId{255}}) {
        EXPECT_EQ(TextById(202, language), "");
        EXPECT_EQ(TextById(1010, language), "");
    }
    EXPECT_EQ(TextById(202, German), "Beenden");
    EXPECT_EQ(TextById(202, English), "Exit");
}

TEST(TextById, IdsOutsideTheBlocksAndInTheGapsAreEmpty) {
    for (const int id : {0, 99, 114, 207, 1009, 2509, 2513, 2519, 2524, 3008, 10008, 15116, 20000, -1}) {
        EXPECT_EQ(TextById(id, German), "") << id;
        EXPECT_EQ(TextById(id, English), "") << id;
    }
}

TEST(TextById, AMissingSideHasNoFallback) {
    EXPECT_EQ(TextById(2512, German), "Frage & Antwort");
    EXPECT_EQ(TextById(2512, English), "");
    EXPECT_EQ(TextById(15113, German), "");
    EXPECT_GT(Length(TextById(15113, English)), 200u);
    for (const int id : {14061, 14062, 14063}) {
        EXPECT_EQ(TextById(id, German), "") << id;
        EXPECT_EQ(TextById(id, English), "") << id;
    }
}

TEST(TextById, ShortTextsAsPrinted) {
    const struct {
        int id;
        const char *de, *en;
    } rows[] = {
        {100, "&Ja", "&Yes"},
        {108, "Alle N&ein", "N&o to All"},
        {109, "Al&le Ja", "Yes to &All"},
        {113, "Englisch", "English"},
        {203, "Über Selenara", "About Selenara"},
        {205, "Mondaufgang:", "Moon Rise:"},
        {504, "Blauer Mond", "Blue Moon"},
        {1000, "Sonntag", "Sunday"},
        {1012, "März", "March"},
        {2505, "Start in Traybar?", "Start in System Tray?"},
        {2523, "Englische, mittelaterliche Mondnamen", "English Medieval Moon Names"},
        {3003, "Zunehmend, Gewölbt", "Waxing Gibbous"},
        {3007, "Abnehmend, Gebogen", "Waning Crescent"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(TextById(r.id, German), r.de) << r.id;
        EXPECT_EQ(TextById(r.id, English), r.en) << r.id;
    }
    EXPECT_EQ(TextById(1021, German), "Dezember");
    EXPECT_EQ(TextById(1021, English), "December");
    EXPECT_TRUE(TextById(303, English).starts_with("https://"));
    EXPECT_EQ(TextById(308, German), TextById(308, English));
}

TEST(TextById, MoonNamesOfEachMonth) {
    EXPECT_EQ(TextById(10200, English),
              "Traditional Moon Name - January\rNorthern Hemisphere: Wolf Moon   -   "
              "Southern Hemisphere: Buck Moon");
    EXPECT_EQ(TextById(10200, German),
              "Traditioneller Mondname - Januar\rNördliche Hemisphäre: Mond des Wolfes   -   "
              "Südliche Hemisphäre: Mond des Bocks");
    EXPECT_EQ(TextById(10300, English), "Celtic Moon Name - January: Quiet Moon");
    EXPECT_EQ(TextById(10307, German), "Keltischer Mondname - August: Mond des Streites");
    EXPECT_EQ(TextById(10400, German), "Englischer, mittelalterlicher Mondname - Januar: Mond des Wolfes");
    EXPECT_EQ(TextById(10411, English), "English Medieval Moon Name - December: Oak Moon");
    // The southern name of a month is the northern name six months later.
    for (int m = 0; m < 12; ++m) {
        for (const LanguageId l : {German, English}) {
            const std::string text = TextById(10200 + m, l), later = TextById(10200 + (m + 6) % 12, l);
            const std::string north = later.substr(later.find(": ") + 2, later.find("   -") - later.find(": ") - 2);
            EXPECT_TRUE(text.ends_with(": " + north)) << text;
            EXPECT_NE(text.find(TextById(1010 + m, l)), std::string::npos) << text;
        }
    }
}

// Counts, lengths and forms of the long texts.
struct Block {
    int first, last;
    std::size_t minLength, maxLength;
};

void ExpectBlock(const Block& b, LanguageId language) {
    for (int id = b.first; id <= b.last; ++id) {
        const std::size_t n = Length(TextById(id, language));
        EXPECT_GE(n, b.minLength) << id << " language " << int{language};
        EXPECT_LE(n, b.maxLength) << id << " language " << int{language};
    }
}

TEST(TextById, LongTextsHaveTheirCountsAndLengths) {
    for (const LanguageId l : {German, English}) {
        ExpectBlock({10100, 10149, 37, 204}, l);  // Moon Bites
        ExpectBlock({14000, 14060, 42, 725}, l);  // Moon Lore
    }
    ExpectBlock({15100, 15112, 78, 261}, German);
    ExpectBlock({15100, 15115, 209, 1056}, English);
    for (int id = 10100; id <= 10149; ++id)
        EXPECT_EQ(TextById(id, English).find('\r'), std::string::npos) << id;
}

TEST(TextById, FormsOfTheLongTexts) {
    for (int i = 0; i < 8; ++i)
        for (const LanguageId l : {German, English})
            EXPECT_TRUE(TextById(10000 + i, l).starts_with(TextById(3000 + i, l) + " - ")) << i;
    EXPECT_TRUE(TextById(10000, English).starts_with("New Moon - "));
    for (const int id : {10109, 10113, 10130, 10149}) EXPECT_EQ(TextById(id, German), TextById(id, English)) << id;
    for (const int id : {10100, 10101, 10107, 10110}) EXPECT_NE(TextById(id, German), TextById(id, English)) << id;
    for (const int id : {14001, 14002})
        for (const LanguageId l : {German, English})
            EXPECT_NE(TextById(id, l).find('\r'), std::string::npos) << id;
    EXPECT_TRUE(TextById(14023, English).starts_with("A ring around the Moon"));
    for (const int id : {15110, 15111, 15112})
        EXPECT_NE(TextById(id, English).find("\r\r"), std::string::npos) << id;
    for (const int id : {15111, 15112}) {
        const std::string text = TextById(id, English);
        EXPECT_LT(text.find("\r\r"), 80u) << "a title line opens " << id;
    }
}

TEST(TextById, NoTextContainsTheEndMarkOrALineFeed) {
    int texts = 0;
    for (int id = -1; id <= 16000; ++id) {
        for (const LanguageId l : {German, English}) {
            const std::string text = TextById(id, l);
            texts += !text.empty();
            ASSERT_EQ(text.find('|'), std::string::npos) << id;
            ASSERT_EQ(text.find('\n'), std::string::npos) << id;
        }
    }
    // 80 short texts (79 English), 36 moon names, 8 + 50 + 61 long texts a
    // language, and 13 German and 16 English trivia; 4 names of the arrow
    // buttons and the word for today for screen readers; 2 words of the
    // almanac's line about the moon now.
    EXPECT_EQ(texts, 80 + 79 + 2 * (36 + 8 + 50 + 61) + 13 + 16 + 2 * (4 + 1) + 2 * 2);
}

// The names generated from the data files, against the ids the texts are
// known by: Moon Lore 14000-14060 and Moon Trivia 15100-15112 are the runs
// that both languages hold (14061-14063 are empty, 15113-15115 English only).
TEST(TextIds, NamesAndRunsAsTheDataFilesHaveThem) {
    struct Run {
        int first, count, wantFirst, wantCount;
    };
    const Run runs[] = {
        {textid::MoonLore, textid::MoonLoreCount, 14000, 61},
        {textid::MoonTrivia, textid::MoonTriviaCount, 15100, 13},
        {textid::PhaseNames, textid::PhaseNamesCount, 500, 5},
        {textid::WeekdayNames, textid::WeekdayNamesCount, 1000, 7},
        {textid::MonthNames, textid::MonthNamesCount, 1010, 12},
        {textid::TrayTips, textid::TrayTipsCount, 3000, 8},
        {textid::TraditionalMoonNames, textid::TraditionalMoonNamesCount, 10200, 12},
        {textid::CelticMoonNames, textid::CelticMoonNamesCount, 10300, 12},
        {textid::MedievalMoonNames, textid::MedievalMoonNamesCount, 10400, 12},
        {textid::LanguageNames, textid::LanguageNamesCount, 112, 2},
        {textid::LoreKinds, textid::LoreKindsCount, 2510, 2},  // 2512 has no English
        {textid::InfoKinds, textid::InfoKindsCount, 2520, 4},
    };
    for (const Run& r : runs) {
        EXPECT_EQ(r.first, r.wantFirst);
        EXPECT_EQ(r.count, r.wantCount) << r.wantFirst;
    }
    EXPECT_EQ(textid::MoonBites, 10100);
    EXPECT_EQ(textid::MoonRiseCaption, 205);
    EXPECT_EQ(textid::MoonSetCaption, 206);
    EXPECT_EQ(textid::MonthCaption, 2000);
    EXPECT_EQ(textid::YearCaption, 2001);
}

}  // namespace
}  // namespace selenara
