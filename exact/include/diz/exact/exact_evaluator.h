// Exact evaluation of batting orders: the true expected runs per game, their
// standard deviation and the per-inning figures that `trial` estimates by
// playing games, computed from the game's Markov chain with the engine's
// quantised draws, an inning's 1000-plate-appearance cap included.
//
// This header and exact_figures.h are the whole public surface of the exact
// evaluation; they need nothing beyond the engine's public headers.
//
// Thread-safety: an ExactEvaluator holds scratch memory, so use one per
// thread; evaluateOrders runs its own workers.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "diz/core.h"
#include "diz/exact/exact_figures.h"
#include "diz/lineup.h"

namespace diz::exact {

class OrderSolver;

// The nine batters 'a'..'i', in that order.
using Batters = std::array<BatterRecord, kLineupSize>;

// Plate appearances after which the engine ends an inning even without three
// outs; only lineups that can hardly make an out ever get there.
extern const int kPlateAppearanceCap;

// "abcdefghi" for {0, 1, ..., 8}.
std::string orderText(const BattingOrder& order);

class ExactEvaluator {
  public:
    explicit ExactEvaluator(const Batters& batters);
    ~ExactEvaluator();
    ExactEvaluator(ExactEvaluator&&) noexcept;
    ExactEvaluator& operator=(ExactEvaluator&&) noexcept;

    ExactFigures evaluate(const BattingOrder& order);

    // The nine rotations of `order` from one half-inning solve: entry k is the
    // order order[k], order[k+1], ..., order[k-1].
    std::array<ExactFigures, kLineupSize> evaluateRotations(const BattingOrder& order);

    // True when `order` can hardly make an out, so that its innings are
    // followed up to the plate-appearance cap (a much slower solve).
    bool needsCap(const BattingOrder& order) const;

  private:
    std::unique_ptr<OrderSolver> m_solver;
};

struct EvaluationOptions {
    int jobs = 0;                // worker threads; 0 = one per core
    bool shareRotations = true;  // one half-inning solve per set of rotations
    // Called from the worker threads after each run of solves, and at the end,
    // with the number of orders done so far; may be empty.
    std::function<void(std::size_t ordersDone)> onProgress;
    // When set, looked at before each run of solves: once true no further run
    // starts, and the figures of the runs left out stay zero.
    const std::atomic<bool>* cancel = nullptr;
    // Sets of rotations whose figures an OrderStream remembers at most: all
    // 9!/9 of nine different batters by default.
    std::size_t rememberedSets = 40320;
};

struct EvaluationStats {
    std::size_t orders = 0;
    std::size_t halfInningSolves = 0;
    bool capped = false;  // some order needed the plate-appearance cap
};

// Which figures an OrderStream keeps of the sets of rotations it has solved,
// for orders still to come that share a solve. The expected runs are always
// kept; a figure left out comes out as zero.
struct KeptFigures {
    bool sdRuns = true;
    bool inningRuns = true;
    bool inningScoring = true;
};

// Evaluates a stream of orders handed over a batch at a time. The figures are
// those of evaluateOrders over everything handed over so far at once, for
// every batch size and number of jobs: new sets of rotations are numbered as
// they first come and solved in runs of consecutive numbers, a run's solver
// carried from one batch to the next when its run is still open.
//
// Memory is bounded by the sets of rotations, not by the orders: the kept
// figures of up to options.rememberedSets sets are remembered (by default
// every set of nine different batters fits, so selections of those never
// solve a set twice). When more come, the remembered ones are forgotten, and a set that comes again
// is solved again as a new one (the same figures to within the solver's tolerance).
class OrderStream {
  public:
    explicit OrderStream(const Batters& batters, EvaluationOptions options = {},
                         KeptFigures kept = {});
    ~OrderStream();
    OrderStream(const OrderStream&) = delete;
    OrderStream& operator=(const OrderStream&) = delete;

    // Fills figures[k] with the figures of orders[k] (both the same length).
    // options.onProgress counts the orders of this call. False once cancelled:
    // the figures are then incomplete and the stream can't go on.
    bool evaluate(std::span<const BattingOrder> orders, std::span<ExactFigures> figures);

    const EvaluationStats& stats() const;

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Figures of every order, in the given order: one OrderStream over all of them.
// Orders that are rotations of one another share a half-inning solve. The
// results do not depend on the number of jobs: the solves are split into
// fixed runs of consecutive sets of rotations, each run solved in sequence
// (every solve warm-started from the one before), whichever thread takes it.
std::vector<ExactFigures> evaluateOrders(const Batters& batters,
                                         std::span<const BattingOrder> orders,
                                         const EvaluationOptions& options = {},
                                         EvaluationStats* stats = nullptr);

// Every ordering of the nine different batters (362880), in lexicographic
// order from "abcdefghi" to "ihgfedcba".
std::vector<BattingOrder> allOrders();

}  // namespace diz::exact
