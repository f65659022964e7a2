// Which lore text the lore panel shows next, and which fact or moon name the
// information line shows next.
#pragma once

#include "settings/Settings.h"
#include "texts/TextTable.h"

#include <cstdint>
#include <random>
#include <string>

namespace selenara {

// A uniform random source: Random(n) is 0 … n - 1, Random(0) is 0.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int Random(int n) = 0;
};

// The program's generator, seeded once (from the clock, by the window).
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int Random(int n) override;

private:
    std::mt19937_64 engine_;
};

// The lore categories switched on (keys MWH, MOF).
struct LoreCategories {
    bool MoonLore = true;
    bool MoonTrivia = true;
};

// The information categories switched on (keys EIZ, TRN, KEN, EMN).
struct InfoCategories {
    bool QuickFacts = true;
    bool TraditionalNames = true;
    bool CelticNames = true;
    bool MedievalNames = true;
};

LoreCategories LoreCategoriesOf(const TSettings& settings);
InfoCategories InfoCategoriesOf(const TSettings& settings);

// What the picks remember between calls, for the whole run.
struct PickState {
    int InfoCategory = 0;  // 1..4, the information category shown last; 0 at start
    int LastTriviaId = 0;  // the trivia picked last while both lore categories were on
};

// The next lore text id: Moon Lore 14000–14060 or Moon Trivia 15100–15112,
// half and half when both are on, never the same trivia twice running then;
// 0 when neither category is on.
int PickLoreId(LoreCategories on, PickState& state, RandomSource& random);

// The next information text id: the next enabled category after the one
// shown last (Moon Bites 10100–10111, traditional 10200–10211, Celtic
// 10300–10311, medieval 10400–10411), Moon Bites when none is enabled.
int PickInfoId(InfoCategories on, PickState& state, RandomSource& random);

std::string PickLoreText(LoreCategories on, PickState& state, RandomSource& random,
                         LanguageId language);
std::string PickInfoText(InfoCategories on, PickState& state, RandomSource& random,
                         LanguageId language);

}  // namespace selenara
