#include <algorithm>
#include <atomic>
#include <unordered_map>

#include "diz/exact/exact_evaluator.h"
#include "exact/game_figures.h"
#include "exact/order_solver.h"
#include "exact/parallel_for.h"

namespace diz::exact {
namespace {

// Solves per run: long enough for warm starts to pay, short enough to share
// the work out evenly.
constexpr std::size_t kSolvesPerRun = 64;
// The remembered figures grow in chunks of this many sets, so that growing
// never holds two copies.
constexpr std::size_t kSetsPerChunk = 1024;

std::uint64_t packed(const BattingOrder& order, int start) {
    std::uint64_t key = 0;
    for (int i = 0; i < kLineupSize; ++i) key = key << 4 | order[(start + i) % kLineupSize];
    return key;
}

// The lexicographically smallest rotation names the set of rotations; the
// order is that rotation started at `leadoff`.
struct RotationSet {
    std::uint64_t key;
    BattingOrder representative;
    int leadoff;
};

RotationSet rotationSet(const BattingOrder& order) {
    int best = 0;
    std::uint64_t bestKey = packed(order, 0);
    for (int start = 1; start < kLineupSize; ++start) {
        const std::uint64_t key = packed(order, start);
        if (key < bestKey) {
            bestKey = key;
            best = start;
        }
    }
    RotationSet set{bestKey, {}, (kLineupSize - best) % kLineupSize};
    for (int i = 0; i < kLineupSize; ++i) set.representative[i] = order[(best + i) % kLineupSize];
    return set;
}

// Where an order's figures are: the remembered set and the rotation.
struct OrderRef {
    std::uint32_t slot;
    std::uint8_t leadoff;
};

// A set first seen since the last solve, with the orders waiting for it.
struct NewSet {
    BattingOrder representative;
    std::uint32_t slot;
    std::uint32_t waiting;
};

}  // namespace

struct OrderStream::State {
    Batters batters;
    EvaluationOptions options;
    KeptFigures kept;
    std::size_t width;  // doubles kept per rotation

    std::unordered_map<std::uint64_t, std::uint32_t> slotOf;  // set key -> slot
    std::vector<std::unique_ptr<double[]>> chunks;
    std::size_t slotsUsed = 0;
    std::size_t setsNumbered = 0;  // sets solved so far: the number of the next one
    // The solver of the run the next set falls in, when that run has begun.
    std::unique_ptr<OrderSolver> openRun;
    EvaluationStats stats;

    std::vector<OrderRef> refs;
    std::vector<NewSet> newSets;

    double* slot(std::size_t s) {
        return chunks[s / kSetsPerChunk].get() + (s % kSetsPerChunk) * kLineupSize * width;
    }
    std::uint32_t takeSlot();
    void keep(std::size_t s, const std::array<ExactFigures, kLineupSize>& rotations);
    ExactFigures recall(const OrderRef& ref);
    bool solveNewSets(std::atomic<std::size_t>& done);
};

std::uint32_t OrderStream::State::takeSlot() {
    if (slotsUsed == chunks.size() * kSetsPerChunk) {
        chunks.push_back(std::make_unique<double[]>(kSetsPerChunk * kLineupSize * width));
    }
    return static_cast<std::uint32_t>(slotsUsed++);
}

void OrderStream::State::keep(std::size_t s,
                              const std::array<ExactFigures, kLineupSize>& rotations) {
    double* out = slot(s);
    for (const ExactFigures& f : rotations) {
        *out++ = f.meanRuns;
        if (kept.sdRuns) *out++ = f.sdRuns;
        if (kept.inningRuns) out = std::copy(f.inningRuns.begin(), f.inningRuns.end(), out);
        if (kept.inningScoring) {
            out = std::copy(f.inningScoring.begin(), f.inningScoring.end(), out);
        }
    }
}

ExactFigures OrderStream::State::recall(const OrderRef& ref) {
    const double* in = slot(ref.slot) + ref.leadoff * width;
    ExactFigures f;
    f.meanRuns = *in++;
    if (kept.sdRuns) f.sdRuns = *in++;
    if (kept.inningRuns) {
        std::copy(in, in + kInnings, f.inningRuns.begin());
        in += kInnings;
    }
    if (kept.inningScoring) std::copy(in, in + kInnings, f.inningScoring.begin());
    return f;
}

// Solves the new sets, numbered on from setsNumbered, in runs of
// kSolvesPerRun consecutive numbers. A run begun in an earlier call goes on
// with its own solver, and a run left open at the end keeps its solver for
// the next call, so the warm starts are those of one call over everything.
bool OrderStream::State::solveNewSets(std::atomic<std::size_t>& done) {
    if (newSets.empty()) return true;
    // tasks[t] .. tasks[t + 1]: the new sets of one run.
    std::vector<std::size_t> tasks{0};
    for (std::size_t i = 1; i < newSets.size(); ++i) {
        if ((setsNumbered + i) % kSolvesPerRun == 0) tasks.push_back(i);
    }
    tasks.push_back(newSets.size());
    const std::size_t taskCount = tasks.size() - 1;
    const bool continues = setsNumbered % kSolvesPerRun != 0;
    const bool leavesOpen = (setsNumbered + newSets.size()) % kSolvesPerRun != 0;
    if (!continues) openRun.reset();
    // The last run's solver outlives this call when that run stays open.
    std::unique_ptr<OrderSolver> lastRun;
    if (leavesOpen && !(continues && taskCount == 1)) {
        lastRun = std::make_unique<OrderSolver>(batters);
    }

    std::atomic<bool> capped{false};
    forEachBatch(taskCount, options.jobs, [&](std::size_t t) {
        if (options.cancel != nullptr && options.cancel->load()) return;
        std::unique_ptr<OrderSolver> own;
        OrderSolver* solver = nullptr;
        if (t == 0 && continues) {
            solver = openRun.get();
        } else if (t + 1 == taskCount && lastRun) {
            solver = lastRun.get();
        } else {
            own = std::make_unique<OrderSolver>(batters);
            solver = own.get();
        }
        std::size_t waiting = 0;
        for (std::size_t i = tasks[t]; i != tasks[t + 1]; ++i) {
            const bool warm = (setsNumbered + i) % kSolvesPerRun != 0;
            const HalfInningTable table = solver->halfInnings(newSets[i].representative, warm);
            if (table.capped) capped.store(true);
            keep(newSets[i].slot, rotationFigures(table));
            waiting += newSets[i].waiting;
        }
        if (options.onProgress) options.onProgress(done.fetch_add(waiting) + waiting);
    });
    if (options.cancel != nullptr && options.cancel->load()) return false;

    if (lastRun) openRun = std::move(lastRun);
    if (!leavesOpen) openRun.reset();
    setsNumbered += newSets.size();
    stats.halfInningSolves += newSets.size();
    stats.capped = stats.capped || capped.load();
    newSets.clear();
    return true;
}

OrderStream::OrderStream(const Batters& batters, EvaluationOptions options, KeptFigures kept)
    : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.batters = batters;
    s.options = std::move(options);
    s.kept = kept;
    s.width = 1 + (kept.sdRuns ? 1 : 0) + (kept.inningRuns ? kInnings : 0) +
              (kept.inningScoring ? kInnings : 0);
}

OrderStream::~OrderStream() = default;

const EvaluationStats& OrderStream::stats() const { return m_state->stats; }

bool OrderStream::evaluate(std::span<const BattingOrder> orders, std::span<ExactFigures> figures) {
    State& s = *m_state;
    s.refs.resize(orders.size());
    std::atomic<std::size_t> done{0};
    // Orders from `ready` on wait for sets solved at the next solveNewSets.
    std::size_t ready = 0;
    const auto fill = [&](std::size_t end) {
        for (; ready != end; ++ready) figures[ready] = s.recall(s.refs[ready]);
    };

    std::size_t firstNewSlot = s.slotsUsed;
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const RotationSet set =
            s.options.shareRotations ? rotationSet(orders[k]) : RotationSet{0, orders[k], 0};
        std::uint32_t slot = 0;
        const auto found = s.options.shareRotations ? s.slotOf.find(set.key) : s.slotOf.end();
        if (found != s.slotOf.end()) {
            slot = found->second;
        } else {
            if (s.slotsUsed >= std::max<std::size_t>(1, s.options.rememberedSets)) {
                // Full: solve what waits, then forget every set.
                if (!s.solveNewSets(done)) return false;
                fill(k);
                s.slotOf.clear();
                s.slotsUsed = 0;
                firstNewSlot = 0;
            }
            slot = s.takeSlot();
            if (s.options.shareRotations) s.slotOf.emplace(set.key, slot);
            s.newSets.push_back({set.representative, slot, 0});
        }
        s.refs[k] = {slot, static_cast<std::uint8_t>(set.leadoff)};
        if (slot >= firstNewSlot) {
            ++s.newSets[slot - firstNewSlot].waiting;
        } else {
            done.fetch_add(1, std::memory_order_relaxed);
        }
    }
    if (!s.solveNewSets(done)) return false;
    fill(orders.size());
    s.stats.orders += orders.size();
    if (s.options.onProgress) s.options.onProgress(orders.size());
    return true;
}

std::vector<ExactFigures> evaluateOrders(const Batters& batters,
                                         std::span<const BattingOrder> orders,
                                         const EvaluationOptions& options, EvaluationStats* stats) {
    OrderStream stream(batters, options);
    std::vector<ExactFigures> figures(orders.size());
    stream.evaluate(orders, figures);
    if (stats != nullptr) *stats = stream.stats();
    return figures;
}

}  // namespace diz::exact
