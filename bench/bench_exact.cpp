// Speed of the exact evaluation: one order single-threaded, the nine
// rotations of an order from one shared half-inning solve, and every
// ordering of nine batters with and without sharing the rotations' solves.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "batch/batter_data.h"
#include "batch/text_io.h"
#include "exact_evaluator.h"

namespace {

using diz::BattingOrder;
using diz::exact::Batters;

constexpr BattingOrder kNatural{0, 1, 2, 3, 4, 5, 6, 7, 8};

// The batter of the engine's reference figures (400 AB, 100 1B, 20 2B, 2 3B,
// 10 HR, 50 BB; rates 0.25 0.5 0.4) in all nine places.
Batters referenceBatters() {
    Batters b;
    b.fill(BatterRecord{'a', 100.0 / 450, 20.0 / 450, 2.0 / 450, 10.0 / 450, 50.0 / 450, 0.25, 0.5,
                        0.4});
    return b;
}

// The nine different batters of examples/batters.txt, read as a run reads them.
Batters exampleBatters() {
    diz::BatterTable table;
    if (diz::readBatterFile(diz::utf8Path(DIZ_EXAMPLE_BATTERS), table) !=
        diz::BatterFileRead::Read) {
        std::abort();
    }
    return diz::buildRecords(table);
}

Batters battersFor(std::int64_t which) {
    return which == 0 ? referenceBatters() : exampleBatters();
}

// Arg: 0 = reference batter nine times, 1 = the example batters.
void BM_ExactOrder(benchmark::State& state) {
    diz::exact::ExactEvaluator evaluator(battersFor(state.range(0)));
    for (auto _ : state) {
        auto figures = evaluator.evaluate(kNatural);
        benchmark::DoNotOptimize(figures);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExactOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Nine orders per iteration from one half-inning solve.
void BM_ExactRotations(benchmark::State& state) {
    diz::exact::ExactEvaluator evaluator(battersFor(state.range(0)));
    for (auto _ : state) {
        auto figures = evaluator.evaluateRotations(kNatural);
        benchmark::DoNotOptimize(figures);
    }
    state.SetItemsProcessed(state.iterations() * 9);
}
BENCHMARK(BM_ExactRotations)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Args: jobs, share rotations (1) or solve every order alone (0). Without
// sharing only every tenth ordering is evaluated, to keep the run short;
// compare the items-per-second rates.
void BM_ExactAllOrders(benchmark::State& state) {
    const Batters batters = exampleBatters();
    const bool share = state.range(1) != 0;
    std::vector<BattingOrder> orders = diz::exact::allOrders();
    if (!share) {
        std::vector<BattingOrder> some;
        for (std::size_t i = 0; i < orders.size(); i += 10) some.push_back(orders[i]);
        orders.swap(some);
    }
    diz::exact::EvaluationOptions options;
    options.jobs = static_cast<int>(state.range(0));
    options.shareRotations = share;
    for (auto _ : state) {
        auto figures = diz::exact::evaluateOrders(batters, orders, options);
        benchmark::DoNotOptimize(figures.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(orders.size()));
}
BENCHMARK(BM_ExactAllOrders)
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
