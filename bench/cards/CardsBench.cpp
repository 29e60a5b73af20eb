// Speed of the rules on corpora of random plays, selections and hands.

#include "cards/CardGenerator.h"
#include "cards/VestranoFunc.h"

#include <benchmark/benchmark.h>

namespace VF = VestranoFunc;

namespace {

constexpr std::size_t CorpusSize = 4096;

// Plays of 1..27 cards, legal and not.
std::vector<std::string> PlayCorpus() {
    CardGenerator gen(21);
    std::vector<std::string> corpus;
    while (corpus.size() < CorpusSize) {
        std::string cards = gen.Chance(50) ? VF::RemoveCards(gen.Play(), "1") : gen.NearPlay();
        if (!cards.empty() && cards.size() <= 27)
            corpus.push_back(cards);
    }
    return corpus;
}

// Selections holding jokers and other cards, of at most maxSize cards.
std::vector<std::string> SelectionCorpus(std::size_t maxSize) {
    CardGenerator gen(22);
    std::vector<std::string> corpus;
    while (corpus.size() < CorpusSize) {
        const std::string cards = gen.NearPlay();
        const std::string core = VF::RemoveCards(cards, VF::WildCards);
        if (cards.size() >= 2 && cards.size() <= maxSize && !core.empty() &&
            core.size() < cards.size())
            corpus.push_back(cards);
    }
    return corpus;
}

// 27-card hands holding all four jokers.
std::vector<std::string> HandCorpus() {
    CardGenerator gen(23);
    std::vector<std::string> corpus;
    while (corpus.size() < 64) {
        const std::string deal = VF::RemoveCards(gen.Hand(40), "1100");
        corpus.push_back(deal.substr(0, 23) + "1100");
    }
    return corpus;
}

void BM_ClassifyPlay(benchmark::State &state) {
    const std::vector<std::string> corpus = PlayCorpus();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(VF::ClassifyPlay(corpus[i]));
        i = (i + 1) % corpus.size();
    }
}
BENCHMARK(BM_ClassifyPlay);

// Pairs of plays of one type and size, as the table meets them.
void BM_ComparePlays(benchmark::State &state) {
    const std::vector<std::string> corpus = PlayCorpus();
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        for (std::size_t j = i + 1; j < corpus.size() && pairs.size() <= i; ++j) {
            if (corpus[j].size() == corpus[i].size())
                pairs.emplace_back(corpus[i], corpus[j]);
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(VF::ComparePlays(pairs[i].first, pairs[i].second));
        i = (i + 1) % pairs.size();
    }
}
BENCHMARK(BM_ComparePlays);

void BM_CheckPlay(benchmark::State &state) {
    const std::vector<std::string> corpus = PlayCorpus();
    CardGenerator gen(24);
    std::vector<std::string> hands;
    for (const std::string &play : corpus)
        hands.push_back(play + gen.Hand(27 - static_cast<int>(play.size())));
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t previous = (i * 7 + 3) % corpus.size();
        benchmark::DoNotOptimize(
            VF::CheckPlay(true, 1, 1, corpus[i], corpus[i], 1, hands[i], corpus[previous], 2));
        i = (i + 1) % corpus.size();
    }
}
BENCHMARK(BM_CheckPlay);

void RunJokerInterpretations(benchmark::State &state, const std::vector<std::string> &corpus) {
    const std::vector<std::string> previous = PlayCorpus();
    std::vector<std::string> list;
    std::size_t i = 0;
    for (auto _ : state) {
        // A view, so that choosing the free lead copies no string inside the timing.
        const std::string_view before =
            i % 3 == 0 ? std::string_view() : std::string_view(previous[i % previous.size()]);
        benchmark::DoNotOptimize(VF::JokerInterpretations(corpus[i], VF::WildCards, before, &list));
        i = (i + 1) % corpus.size();
    }
}

void BM_JokerInterpretationsUpTo10(benchmark::State &state) {
    RunJokerInterpretations(state, SelectionCorpus(10));
}
BENCHMARK(BM_JokerInterpretationsUpTo10);

void BM_JokerInterpretationsUpTo27(benchmark::State &state) {
    RunJokerInterpretations(state, SelectionCorpus(27));
}
BENCHMARK(BM_JokerInterpretationsUpTo27);

// The slowest selections a search over a million random ones found (re-timed): up to ten
// cards, and a 25-card one whose triples-with-pairs completion tries many substitutions;
// then long runs with four jokers.
void BM_JokerInterpretationsWorst(benchmark::State &state) {
    static const std::vector<std::pair<std::string, std::string>> cases = {
        {"1NM0y1ZzNY", ""},
        {"JDdppjK110", ""},
        {"KiUvWTdFdsnwCcuGxOrbEn110", ""},
        {"xkwwIVHugTfFeRQQcCoONn010", ""},
        {"CCDDEEFFGGHHIIJJKKLLMMA1100", ""},
        {"CCCDDDEEEFFFGGGHHHIII1100", ""},
        {"CCCDDDEEEFFGGHHIIJ110", "CCCDDDEEEFFFGGHHIIJJKK"},
    };
    const auto &[selection, previous] = cases[static_cast<std::size_t>(state.range(0))];
    std::vector<std::string> list;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            VF::JokerInterpretations(selection, VF::WildCards, previous, &list));
}
BENCHMARK(BM_JokerInterpretationsWorst)->DenseRange(0, 6);

void RunEnumeratePlays(benchmark::State &state, const std::string &previous) {
    const std::vector<std::string> hands = HandCorpus();
    std::size_t i = 0;
    std::size_t listed = 0;
    // One list for all calls, as a bot that plays many hands keeps it.
    std::vector<VF::TPlayOption> plays;
    for (auto _ : state) {
        VF::EnumeratePlays(hands[i], previous, plays);
        listed += plays.size();
        benchmark::DoNotOptimize(plays.data());
        i = (i + 1) % hands.size();
    }
    state.counters["plays"] =
        benchmark::Counter(static_cast<double>(listed), benchmark::Counter::kAvgIterations);
}

void BM_EnumeratePlaysLead27WithFourJokers(benchmark::State &state) {
    RunEnumeratePlays(state, "");
}
BENCHMARK(BM_EnumeratePlaysLead27WithFourJokers);

void BM_EnumeratePlaysFollowPair27WithFourJokers(benchmark::State &state) {
    RunEnumeratePlays(state, "Gg");
}
BENCHMARK(BM_EnumeratePlaysFollowPair27WithFourJokers);

} // namespace

BENCHMARK_MAIN();
