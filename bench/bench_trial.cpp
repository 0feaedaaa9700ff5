// Speed of `trial` on the reference lineup: one batter (400 AB, 100 1B, 20 2B,
// 2 3B, 10 HR, 50 BB; rates 0.25 0.5 0.4) in all nine places.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "diz/core.h"
#include "diz/lineup.h"
#include "engine/game.h"
#include "engine/random_source.h"
#include "engine/run_statistics.h"
#include "support/reference_game.h"

namespace {

const BatterRecord kReference{'a',        100.0 / 450, 20.0 / 450, 2.0 / 450, 10.0 / 450,
                              50.0 / 450, 0.25,        0.5,        0.4};

std::array<const BatterRecord*, diz::kLineupSize> referenceLineup() {
    std::array<const BatterRecord*, diz::kLineupSize> lineup;
    lineup.fill(&kReference);
    return lineup;
}

// Plate appearances per game on the reference lineup, counted once over
// 20000 games played with the engine's own plate-appearance step.
double plateAppearancesPerGame() {
    const auto lineup = referenceLineup();
    const auto tables = diz::engine::makeLineupTables(lineup.data());
    diz::engine::RandomSource random;
    std::uint64_t appearances = 0;
    constexpr int kGames = 20000;
    std::uint32_t position = 0;
    for (int inning = 0; inning < diz::kInnings * kGames; ++inning) {
        diz::engine::InningState s;
        s.position = position;
        for (; s.outs < diz::kOutsPerInning; ++appearances)
            diz::engine::playPlateAppearance(s, tables, random);
        position = s.position;
    }
    return static_cast<double>(appearances) / kGames;
}

void BM_Trial(benchmark::State& state) {
    const auto lineup = referenceLineup();
    const auto games = static_cast<std::uint32_t>(state.range(0));
    double mean, se, runs[diz::kInnings], scoring[diz::kInnings];
    for (auto _ : state) {
        trial(lineup.data(), games, &mean, &se, runs, scoring);
        benchmark::DoNotOptimize(mean);
        benchmark::DoNotOptimize(se);
    }
    const double totalGames = static_cast<double>(state.iterations()) * games;
    state.SetItemsProcessed(static_cast<std::int64_t>(totalGames));
    state.counters["games/s"] = benchmark::Counter(totalGames, benchmark::Counter::kIsRate);
    static const double pa = plateAppearancesPerGame();
    state.counters["PA/s"] = benchmark::Counter(totalGames * pa, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Trial)->Arg(1)->Arg(140)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same games played by the plain transcription of the rules (double
// comparisons, record pointers, a branch per rule) with the same statistics,
// for comparison with the integer fast path above. Results are identical.
void BM_PlainTranscription(benchmark::State& state) {
    const auto lineup = referenceLineup();
    const auto games = static_cast<std::uint32_t>(state.range(0));
    std::vector<std::uint16_t> perGame(games);
    diz::engine::RandomSource random;
    double mean, se, runs[diz::kInnings], scoring[diz::kInnings];
    for (auto _ : state) {
        diz::engine::RunStatistics statistics(perGame.data());
        std::uint32_t inningRuns[diz::kInnings];
        for (std::uint32_t g = 0; g < games; ++g) {
            diz::support::referenceGame(lineup.data(), random, inningRuns);
            statistics.addGame(inningRuns);
        }
        statistics.finish(&mean, &se, runs, scoring);
        benchmark::DoNotOptimize(mean);
    }
    const double totalGames = static_cast<double>(state.iterations()) * games;
    state.SetItemsProcessed(static_cast<std::int64_t>(totalGames));
    state.counters["games/s"] = benchmark::Counter(totalGames, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainTranscription)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The generator alone, for scale.
void BM_RandomSource(benchmark::State& state) {
    diz::engine::RandomSource random;
    std::uint32_t sink = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) sink += random.next15();
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_RandomSource);

}  // namespace

BENCHMARK_MAIN();
