#include "exact/order_solver.h"

namespace diz::exact {

OrderSolver::OrderSolver(const Batters& batters, LanePath path) : m_cycle(path) {
    setBatters(batters);
}

void OrderSolver::setBatters(const Batters& batters) {
    for (int i = 0; i < kLineupSize; ++i) m_batters[i] = quantise(batters[i]);
}

OrderSolver::~OrderSolver() = default;

PositionedLineup OrderSolver::positions(const BattingOrder& order) const {
    PositionedLineup lineup{};
    for (int i = 0; i < kLineupSize; ++i) lineup[i] = &m_batters[order[i]];
    return lineup;
}

bool OrderSolver::needsCap(const BattingOrder& order) const {
    return exact::needsCap(positions(order));
}

CappedInningSolver& OrderSolver::capped() {
    if (!m_capped) m_capped = std::make_unique<CappedInningSolver>();
    return *m_capped;
}

void OrderSolver::solveGroup(const KeptFigures& kept, std::span<RotationFigures> figures) {
    const auto size = static_cast<std::size_t>(m_groupSize);
    m_cycle.solve(std::span(m_group).first(size), kept, std::span(m_groupFigures).first(size));
    for (std::size_t l = 0; l < size; ++l) figures[m_groupIndex[l]] = m_groupFigures[l];
    m_groupSize = 0;
}

bool OrderSolver::rotations(std::span<const BattingOrder> orders, const KeptFigures& kept,
                            std::span<RotationFigures> figures) {
    bool anyCapped = false;
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const PositionedLineup lineup = positions(orders[k]);
        if (exact::needsCap(lineup)) {
            // The capped solve works out every figure; the others are zeroed
            // as a lane solve leaves them.
            RotationFigures all = rotationFigures(capped().solve(lineup));
            for (ExactFigures& f : all) {
                if (!kept.sdRuns) f.sdRuns = 0.0;
                if (!kept.inningRuns) f.inningRuns = {};
                if (!kept.inningScoring) f.inningScoring = {};
            }
            figures[k] = all;
            anyCapped = true;
            continue;
        }
        m_group[std::size_t(m_groupSize)] = lineup;
        m_groupIndex[std::size_t(m_groupSize)] = k;
        if (++m_groupSize == lanes()) solveGroup(kept, figures);
    }
    if (m_groupSize > 0) solveGroup(kept, figures);
    return anyCapped;
}

HalfInningTable OrderSolver::halfInnings(const BattingOrder& order) {
    const PositionedLineup lineup = positions(order);
    if (exact::needsCap(lineup)) return capped().solve(lineup);
    return m_cycle.table(lineup);
}

}  // namespace diz::exact
