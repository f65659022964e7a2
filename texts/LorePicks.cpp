#include "texts/LorePicks.h"

#include "texts/TextIds.h"

namespace selenara {
namespace {

// Each information category draws from its first twelve texts: the moon
// names have one a month, and Moon Bites keep to the same twelve.
constexpr int InfoTextsPerCategory = 12;

}  // namespace

int SeededRandom::Random(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

int PickLoreId(const TSettings& s, PickState& state, RandomSource& random) {
    const int r = random.Random((s.LoreMoonLore ? 1 : 0) + (s.LoreMoonTrivia ? 1 : 0));
    if (r == 0) {
        if (s.LoreMoonLore) return textid::MoonLore + random.Random(textid::MoonLoreCount);
        if (s.LoreMoonTrivia) return textid::MoonTrivia + random.Random(textid::MoonTriviaCount);
        return 0;
    }
    int id = 0;
    do {
        id = textid::MoonTrivia + random.Random(textid::MoonTriviaCount);
    } while (id == state.LastTriviaId);
    state.LastTriviaId = id;
    return id;
}

int PickInfoId(const TSettings& s, PickState& state, RandomSource& random) {
    const bool enabled[5] = {false, s.InfoQuickFacts, s.InfoTraditionalNames, s.InfoCelticNames,
                             s.InfoMedievalNames};
    int category = state.InfoCategory % 4 + 1;
    int tried = 0;
    while (!enabled[category] && ++tried < 4) category = category % 4 + 1;
    state.InfoCategory = enabled[category] ? category : 1;
    static constexpr int firstIds[5] = {0, textid::MoonBites, textid::TraditionalMoonNames,
                                        textid::CelticMoonNames, textid::MedievalMoonNames};
    return firstIds[state.InfoCategory] + random.Random(InfoTextsPerCategory);
}

std::string PickLoreText(const TSettings& s, PickState& state, RandomSource& random,
                         LanguageId language) {
    const int id = PickLoreId(s, state, random);
    return id == 0 ? std::string() : TextById(id, language);
}

std::string PickInfoText(const TSettings& s, PickState& state, RandomSource& random,
                         LanguageId language) {
    return TextById(PickInfoId(s, state, random), language);
}

}  // namespace selenara
