// Exact evaluation of batting orders: the true expected runs per game, their
// standard deviation and the per-inning figures that `trial` estimates by
// playing games, computed from the game's Markov chain with the engine's
// quantised draws, an inning's 1000-plate-appearance cap included.
//
// This header and exact_figures.h are the whole public surface of the exact
// evaluation; they need nothing beyond the engine's public headers.
//
// The figures of an order do not depend on how it is evaluated: alone or in a
// stream, in which batch, by how many jobs, or with which of the processor's
// vector instructions. They are the same to the bit on every x86-64 machine.
//
// Thread-safety: an ExactEvaluator holds scratch memory, so use one per
// thread; an OrderStream runs its own workers.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
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

// One order, or the nine rotations of one, at a time (a few microseconds).
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
    // followed up to the plate-appearance cap (about 20 ms a solve).
    bool needsCap(const BattingOrder& order) const;

  private:
    std::unique_ptr<OrderSolver> m_solver;
};

// The expected runs of many sets of rotations of one set of nine batters,
// solved on the calling thread with as many lanes as the processor runs: the
// unit of a search over lineups, which runs one solver per thread and
// changes the batters between calls. Only the expected runs are worked out,
// the same to the bit as an OrderStream's. Not thread-safe.
class RotationSolver {
  public:
    explicit RotationSolver(const Batters& batters);
    ~RotationSolver();
    RotationSolver(RotationSolver&&) noexcept;
    RotationSolver& operator=(RotationSolver&&) noexcept;

    // Solves for other batters from now on; the scratch memory is kept.
    void setBatters(const Batters& batters);

    // means[k][r]: the expected runs of rotation r of orders[k] (the order
    // orders[k][r], orders[k][r+1], ..., orders[k][r-1]); both spans the
    // same length. Returns true when some order needed the cap.
    bool solve(std::span<const BattingOrder> orders,
               std::span<std::array<double, kLineupSize>> means);

  private:
    std::unique_ptr<OrderSolver> m_solver;
    std::vector<std::array<ExactFigures, kLineupSize>> m_figures;
};

struct EvaluationOptions {
    int jobs = 0;  // worker threads; 0 = one per core
    // Called from the worker threads as sets of rotations are solved, and at
    // the end, with the number of orders of the call done so far; may be empty.
    std::function<void(std::size_t ordersDone)> onProgress;
    // When set, looked at before each run of solves: once true no further run
    // starts, and the figures of the runs left out stay zero.
    const std::atomic<bool>* cancel = nullptr;
    // Sets of rotations whose figures an OrderStream remembers at most: all
    // 9!/9 of nine different batters by default.
    std::size_t rememberedSets = kRotationSets;
};

struct EvaluationStats {
    std::size_t orders = 0;
    std::size_t halfInningSolves = 0;
    bool capped = false;  // some order needed the plate-appearance cap
};

// Which figures an OrderStream works out and keeps, beyond the expected runs,
// which it always does. A figure left out comes out as zero and costs
// nothing: with none kept, a set of rotations costs well under half of the
// full solve. The expected runs are the same to the bit whatever is kept.
struct KeptFigures {
    bool sdRuns = true;
    bool inningRuns = true;
    bool inningScoring = true;
};

// Evaluates a stream of orders handed over a batch at a time. Orders that are
// rotations of one another share one half-inning solve: each new set of
// rotations is solved once, several sets in lockstep, on options.jobs
// workers.
//
// Memory is bounded by the sets of rotations, not by the orders: the kept
// figures of up to options.rememberedSets sets are remembered (by default
// every set of nine different batters fits, so selections of those never
// solve a set twice). When more come, the remembered ones are forgotten, and
// a set that comes again is solved again, to the same figures.
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

}  // namespace diz::exact
