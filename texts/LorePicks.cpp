#include "texts/LorePicks.h"

#include "texts/TextIds.h"

namespace selenara {
namespace {

// Each information category draws from its first twelve texts: the moon
// names have one a month, and Moon Bites keep to the same twelve.
constexpr int InfoTextsPerCategory = 12;

}  // namespace

LoreCategories LoreCategoriesOf(const TSettings& s) { return {s.LoreMoonLore, s.LoreMoonTrivia}; }

InfoCategories InfoCategoriesOf(const TSettings& s) {
    return {s.InfoQuickFacts, s.InfoTraditionalNames, s.InfoCelticNames, s.InfoMedievalNames};
}

int SeededRandom::Random(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

int PickLoreId(LoreCategories on, PickState& state, RandomSource& random) {
    const int r = random.Random((on.MoonLore ? 1 : 0) + (on.MoonTrivia ? 1 : 0));
    if (r == 0) {
        if (on.MoonLore) return textid::MoonLore + random.Random(textid::MoonLoreCount);
        if (on.MoonTrivia) return textid::MoonTrivia + random.Random(textid::MoonTriviaCount);
        return 0;
    }
    int id = 0;
    do {
        id = textid::MoonTrivia + random.Random(textid::MoonTriviaCount);
    } while (id == state.LastTriviaId);
    state.LastTriviaId = id;
    return id;
}

int PickInfoId(InfoCategories on, PickState& state, RandomSource& random) {
    const bool enabled[5] = {false, on.QuickFacts, on.TraditionalNames, on.CelticNames,
                             on.MedievalNames};
    int category = state.InfoCategory % 4 + 1;
    int tried = 0;
    while (!enabled[category] && ++tried < 4) category = category % 4 + 1;
    state.InfoCategory = enabled[category] ? category : 1;
    static constexpr int firstIds[5] = {0, textid::MoonBites, textid::TraditionalMoonNames,
                                        textid::CelticMoonNames, textid::MedievalMoonNames};
    return firstIds[state.InfoCategory] + random.Random(InfoTextsPerCategory);
}

std::string PickLoreText(LoreCategories on, PickState& state, RandomSource& random,
                         LanguageId language) {
    const int id = PickLoreId(on, state, random);
    return id == 0 ? std::string() : TextById(id, language);
}

std::string PickInfoText(InfoCategories on, PickState& state, RandomSource& random,
                         LanguageId language) {
    return TextById(PickInfoId(on, state, random), language);
}

}  // namespace selenara
