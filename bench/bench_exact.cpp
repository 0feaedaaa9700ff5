// Speed of the exact evaluation: one order single-threaded, the nine
// rotations of an order from one shared half-inning solve, sets of rotations
// solved on each lane path, and every ordering of nine batters through an
// OrderStream.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "batch/batter_data.h"
#include "batch/text_io.h"
#include "diz/exact/exact_evaluator.h"
#include "exact/order_solver.h"

namespace {

using diz::BattingOrder;
using diz::exact::Batters;
using diz::exact::KeptFigures;
using diz::exact::LanePath;

constexpr BattingOrder kNatural{0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr KeptFigures kEveryFigure{};
constexpr KeptFigures kMeanOnly{false, false, false};

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

// Every ordering of the nine batters, in lexicographic order.
std::vector<BattingOrder> allOrderings() {
    std::vector<BattingOrder> orders;
    orders.reserve(diz::kOrderings);
    BattingOrder order = kNatural;
    do {
        orders.push_back(order);
    } while (std::next_permutation(order.begin(), order.end()));
    return orders;
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
    state.SetItemsProcessed(state.iterations() * diz::kLineupSize);
}
BENCHMARK(BM_ExactRotations)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Args: lane path (0 one lane, 1 four with AVX2, 2 eight with AVX-512), every
// figure (0) or the expected runs only (1). 64 sets of rotations of the
// example batters an iteration, one thread; the time per iteration / 64 is
// the time per set.
void BM_ExactSets(benchmark::State& state) {
    const LanePath path = diz::exact::kLanePaths[static_cast<std::size_t>(state.range(0))];
    if (!diz::exact::pathSupported(path)) {
        state.SkipWithError("this processor lacks the instructions of this path");
        return;
    }
    const KeptFigures kept = state.range(1) == 0 ? kEveryFigure : kMeanOnly;
    std::vector<BattingOrder> sets;
    for (const BattingOrder& order : allOrderings()) {
        if (order[0] == 0 && sets.size() < 64) sets.push_back(order);
    }
    diz::exact::OrderSolver solver(exampleBatters(), path);
    std::vector<diz::exact::RotationFigures> figures(sets.size());
    for (auto _ : state) {
        solver.rotations(sets, kept, figures);
        benchmark::DoNotOptimize(figures.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sets.size()));
    state.SetLabel(diz::exact::pathName(path));
}
BENCHMARK(BM_ExactSets)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMicrosecond);

// Args: jobs, every figure (0) or the expected runs only (1). All 9!
// orderings in lexicographic order, handed over 8192 at a time as a run does.
void BM_ExactAllOrders(benchmark::State& state) {
    const Batters batters = exampleBatters();
    const std::vector<BattingOrder> orders = allOrderings();
    diz::exact::EvaluationOptions options;
    options.jobs = static_cast<int>(state.range(0));
    const KeptFigures kept = state.range(1) == 0 ? kEveryFigure : kMeanOnly;
    std::vector<diz::exact::ExactFigures> figures(orders.size());
    constexpr std::size_t kBatch = 8192;
    for (auto _ : state) {
        diz::exact::OrderStream stream(batters, options, kept);
        for (std::size_t first = 0; first < orders.size(); first += kBatch) {
            const std::size_t count = std::min(kBatch, orders.size() - first);
            stream.evaluate(std::span(orders).subspan(first, count),
                            std::span(figures).subspan(first, count));
        }
        benchmark::DoNotOptimize(figures.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(orders.size()));
}
BENCHMARK(BM_ExactAllOrders)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
