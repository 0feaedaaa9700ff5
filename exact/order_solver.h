// The half-innings of batting orders drawn from one set of nine batters: the
// working part of ExactEvaluator and of each OrderStream worker. Orders are
// solved directly round the cycle, as many at once as the solver has lanes;
// an order that can hardly make an out is followed up to the cap on its own.
#pragma once

#include <array>
#include <memory>
#include <span>

#include "diz/exact/exact_evaluator.h"
#include "diz/lineup.h"
#include "exact/cycle_solver.h"
#include "exact/game_figures.h"
#include "exact/half_inning.h"
#include "exact/quantised_batter.h"

namespace diz::exact {

class OrderSolver {
  public:
    explicit OrderSolver(const Batters& batters, LanePath path = widestPath());
    ~OrderSolver();

    int lanes() const { return m_cycle.lanes(); }

    // Solves for `batters` from now on, keeping the scratch memory.
    void setBatters(const Batters& batters);

    // figures[k]: the rotations of orders[k] (both the same length), with the
    // figures `kept` asks for. Returns true when some order needed the cap.
    bool rotations(std::span<const BattingOrder> orders, const KeptFigures& kept,
                   std::span<RotationFigures> figures);

    // Every half-inning figure of `order`, by batting position.
    HalfInningTable halfInnings(const BattingOrder& order);

    // True when the innings of `order` are followed up to the cap.
    bool needsCap(const BattingOrder& order) const;

  private:
    PositionedLineup positions(const BattingOrder& order) const;
    void solveGroup(const KeptFigures& kept, std::span<RotationFigures> figures);
    CappedInningSolver& capped();

    std::array<QuantisedBatter, kLineupSize> m_batters;
    CycleSolver m_cycle;
    std::unique_ptr<CappedInningSolver> m_capped;  // made when first needed
    // The orders of the group being gathered for the lanes, and where their
    // figures go.
    std::array<PositionedLineup, kMaxLanes> m_group{};
    std::array<std::size_t, kMaxLanes> m_groupIndex{};
    std::array<RotationFigures, kMaxLanes> m_groupFigures{};
    int m_groupSize = 0;
};

}  // namespace diz::exact
