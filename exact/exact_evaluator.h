// Exact evaluation of batting orders: the true expected runs per game, their
// standard deviation and the per-inning figures that `trial` estimates by
// playing games, computed from the game's Markov chain with the engine's
// quantised draws, an inning's 1000-plate-appearance cap included.
//
// Thread-safety: an ExactEvaluator holds scratch memory, so use one per
// thread; evaluateOrders runs its own workers.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "diz/core.h"
#include "game_figures.h"
#include "half_inning.h"
#include "quantised_batter.h"

namespace diz::exact {

// The nine batters 'a'..'i', in that order.
using Batters = std::array<BatterRecord, kLineupSize>;

// A batting order: entry k is the batter (0..8 for 'a'..'i') who bats k-th.
// A batter may appear more than once.
using BattingOrder = std::array<std::uint8_t, kLineupSize>;

// "abcdefghi" for {0, 1, ..., 8}.
std::string orderText(const BattingOrder& order);

class ExactEvaluator {
  public:
    explicit ExactEvaluator(const Batters& batters);

    ExactFigures evaluate(const BattingOrder& order);

    // The nine rotations of `order` from one half-inning solve: entry k is the
    // order order[k], order[k+1], ..., order[k-1].
    std::array<ExactFigures, kLineupSize> evaluateRotations(const BattingOrder& order);

    // The half-inning figures of `order`, by batting position. `warmStart`
    // starts from the previous solve's values (see HalfInningSolver::solve).
    HalfInningTable halfInnings(const BattingOrder& order, bool warmStart = false);

    // True when `order` can hardly make an out, so that its innings are
    // followed up to the plate-appearance cap (a much slower solve).
    bool needsCap(const BattingOrder& order) const;

  private:
    PositionedLineup positions(const BattingOrder& order) const;

    std::array<QuantisedBatter, kLineupSize> m_batters;
    HalfInningSolver m_solver;
};

struct EvaluationOptions {
    int jobs = 0;                // worker threads; 0 = one per core
    bool shareRotations = true;  // one half-inning solve per set of rotations
};

struct EvaluationStats {
    std::size_t orders = 0;
    std::size_t halfInningSolves = 0;
    bool capped = false;  // some order needed the plate-appearance cap
};

// Figures of every order, in the given order. Orders that are rotations of
// one another share a half-inning solve. The results do not depend on the
// number of jobs: the solves are split into fixed runs of consecutive sets
// of rotations, each run solved in sequence (every solve warm-started from
// the one before), whichever thread takes it.
std::vector<ExactFigures> evaluateOrders(const Batters& batters,
                                         std::span<const BattingOrder> orders,
                                         const EvaluationOptions& options = {},
                                         EvaluationStats* stats = nullptr);

// Every ordering of the nine different batters (362880), in lexicographic
// order from "abcdefghi" to "ihgfedcba".
std::vector<BattingOrder> allOrders();

}  // namespace diz::exact
