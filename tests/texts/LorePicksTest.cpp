#include "texts/LorePicks.h"

#include <gtest/gtest.h>

#include <deque>

namespace selenara {
namespace {

// Answers from a script, then the lowest value.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> answers = {}) : answers_(std::move(answers)) {}
    int Random(int n) override {
        if (n == 0) return 0;
        int v = 0;
        if (!answers_.empty()) {
            v = answers_.front();
            answers_.pop_front();
        }
        return v % n;
    }

private:
    std::deque<int> answers_;
};

TEST(PickInfoId, RotatesThroughTheEnabledCategories) {
    InfoCategories s;
    PickState state;
    SeededRandom random(1);
    const int expected[] = {101, 102, 103, 104, 101, 102};
    for (const int base : expected) {
        const int id = PickInfoId(s, state, random);
        EXPECT_GE(id, base * 100);
        EXPECT_LT(id, base * 100 + 12);
    }
}

TEST(PickInfoId, SkipsDisabledCategoriesAndFallsBackToMoonBites) {
    InfoCategories s;
    s.QuickFacts = s.MedievalNames = false;
    PickState state;
    ScriptedRandom random;
    EXPECT_EQ(PickInfoId(s, state, random), 10200);
    EXPECT_EQ(PickInfoId(s, state, random), 10300);
    EXPECT_EQ(PickInfoId(s, state, random), 10200);
    s.CelticNames = false;
    EXPECT_EQ(PickInfoId(s, state, random) / 100, 102);
    EXPECT_EQ(PickInfoId(s, state, random) / 100, 102);
    s.TraditionalNames = false;
    EXPECT_EQ(PickInfoId(s, state, random) / 100, 101);
    EXPECT_EQ(state.InfoCategory, 1);
}

TEST(PickInfoId, ContinuesAfterTheCategoryShownLast) {
    InfoCategories s;
    PickState state{2, 0};  // a traditional name was shown last
    ScriptedRandom random({11});
    EXPECT_EQ(PickInfoId(s, state, random), 10311);
}

TEST(PickLoreId, BothCategoriesNeverRepeatATriviaText) {
    LoreCategories s;
    PickState state;
    // r = 1 picks trivia; the repeat of 15105 is drawn again.
    ScriptedRandom random({1, 5, 1, 5, 5, 7, 0, 60});
    EXPECT_EQ(PickLoreId(s, state, random), 15105);
    EXPECT_EQ(PickLoreId(s, state, random), 15107);
    EXPECT_EQ(state.LastTriviaId, 15107);
    EXPECT_EQ(PickLoreId(s, state, random), 14060);  // lore may repeat; trivia memory kept
    EXPECT_EQ(state.LastTriviaId, 15107);
}

TEST(PickLoreId, OneCategoryDrawsFromItAloneRepeatsAllowed) {
    LoreCategories s;
    s.MoonLore = false;
    PickState state{0, 15103};
    ScriptedRandom random({0, 3, 0, 3});
    EXPECT_EQ(PickLoreId(s, state, random), 15103);
    EXPECT_EQ(PickLoreId(s, state, random), 15103);
    EXPECT_EQ(state.LastTriviaId, 15103);
    s.MoonTrivia = false;
    EXPECT_EQ(PickLoreId(s, state, random), 0);
    EXPECT_EQ(PickLoreText(s, state, random, English), "");
}

TEST(PickLoreId, StaysInItsRangesWithARealGenerator) {
    LoreCategories s;
    PickState state;
    SeededRandom random(42);
    int previousTrivia = 0;
    for (int i = 0; i < 2000; ++i) {
        const int id = PickLoreId(s, state, random);
        ASSERT_TRUE((id >= 14000 && id <= 14060) || (id >= 15100 && id <= 15112)) << id;
        if (id >= 15100) {
            ASSERT_NE(id, previousTrivia);
            previousTrivia = id;
        }
    }
    EXPECT_FALSE(PickLoreText(s, state, random, English).empty());
}

}  // namespace
}  // namespace selenara
