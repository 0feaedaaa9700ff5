// Speed of the exact evaluation: one order single-threaded, the nine
// rotations of an order from one shared half-inning solve, and every
// ordering of nine batters with and without sharing the rotations' solves.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "exact_evaluator.h"

namespace {

using diz::exact::BattingOrder;
using diz::exact::Batters;

constexpr BattingOrder kNatural{0, 1, 2, 3, 4, 5, 6, 7, 8};

// The batter of the engine's reference figures (400 AB, 100 1B, 20 2B, 2 3B,
// 10 HR, 50 BB; rates 0.25 0.5 0.4) in all nine places.
Batters referenceBatters() {
    Batters b;
    b.fill(BatterRecord{'a', 100.0 / 450, 20.0 / 450, 2.0 / 450, 10.0 / 450, 50.0 / 450, 0.25,
                        0.5, 0.4});
    return b;
}

// Nine different batters, the rows of examples/batters.txt (at-bats, 1B, 2B,
// 3B, HR, BB, three rates) turned into probabilities per plate appearance.
Batters exampleBatters() {
    const double rows[9][9] = {
        {520, 118, 28, 6, 8, 62, 0.35, 0.65, 0.45}, {505, 105, 30, 3, 14, 55, 0.30, 0.60, 0.40},
        {540, 98, 34, 2, 31, 78, 0.25, 0.55, 0.35}, {530, 92, 29, 1, 38, 85, 0.22, 0.50, 0.33},
        {495, 96, 25, 2, 22, 52, 0.26, 0.55, 0.38}, {470, 94, 21, 3, 12, 40, 0.28, 0.58, 0.40},
        {450, 88, 19, 1, 9, 36, 0.27, 0.56, 0.38},  {420, 80, 16, 0, 6, 30, 0.24, 0.50, 0.33},
        {400, 82, 12, 4, 2, 34, 0.38, 0.68, 0.48}};
    Batters b;
    for (int i = 0; i < 9; ++i) {
        const double* r = rows[i];
        const double pa = r[0] + r[5];
        b[i] = BatterRecord{char('a' + i), r[1] / pa, r[2] / pa, r[3] / pa, r[4] / pa, r[5] / pa,
                            r[6], r[7], r[8]};
    }
    return b;
}

Batters battersFor(std::int64_t which) { return which == 0 ? referenceBatters() : exampleBatters(); }

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
    const diz::exact::EvaluationOptions options{static_cast<int>(state.range(0)), share};
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
