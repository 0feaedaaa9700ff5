// The half-innings of batting orders drawn from one set of nine batters: the
// working part of ExactEvaluator, and what evaluateOrders runs on each worker.
#pragma once

#include <array>

#include "diz/exact/exact_evaluator.h"
#include "diz/lineup.h"
#include "exact/half_inning.h"
#include "exact/quantised_batter.h"

namespace diz::exact {

class OrderSolver {
  public:
    explicit OrderSolver(const Batters& batters);

    // The half-inning figures of `order`, by batting position. `warmStart`
    // starts from the previous solve's values (see HalfInningSolver::solve).
    HalfInningTable halfInnings(const BattingOrder& order, bool warmStart = false);

    // True when the innings of `order` are followed up to the cap.
    bool needsCap(const BattingOrder& order) const;

  private:
    PositionedLineup positions(const BattingOrder& order) const;

    std::array<QuantisedBatter, kLineupSize> m_batters;
    HalfInningSolver m_solver;
};

}  // namespace diz::exact
