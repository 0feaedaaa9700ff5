#include "exact/order_solver.h"

namespace diz::exact {

OrderSolver::OrderSolver(const Batters& batters) {
    for (int i = 0; i < kLineupSize; ++i) m_batters[i] = quantise(batters[i]);
}

PositionedLineup OrderSolver::positions(const BattingOrder& order) const {
    PositionedLineup lineup{};
    for (int i = 0; i < kLineupSize; ++i) lineup[i] = &m_batters[order[i]];
    return lineup;
}

bool OrderSolver::needsCap(const BattingOrder& order) const {
    return HalfInningSolver::needsCap(positions(order));
}

HalfInningTable OrderSolver::halfInnings(const BattingOrder& order, bool warmStart) {
    return m_solver.solve(positions(order), warmStart);
}

}  // namespace diz::exact
