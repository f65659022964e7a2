#include "texts/LorePicks.h"

namespace selenara {
namespace {

constexpr int LoreBase = 14000, LoreCount = 61;
constexpr int TriviaBase = 15100, TriviaCount = 13;  // the entries both languages hold

}  // namespace

int SeededRandom::Random(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

int PickLoreId(const TSettings& s, PickState& state, RandomSource& random) {
    const int r = random.Random((s.LoreMoonLore ? 1 : 0) + (s.LoreMoonTrivia ? 1 : 0));
    if (r == 0) {
        if (s.LoreMoonLore) return LoreBase + random.Random(LoreCount);
        if (s.LoreMoonTrivia) return TriviaBase + random.Random(TriviaCount);
        return 0;
    }
    int id = 0;
    do {
        id = TriviaBase + random.Random(TriviaCount);
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
    return 10000 + 100 * state.InfoCategory + random.Random(12);
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
