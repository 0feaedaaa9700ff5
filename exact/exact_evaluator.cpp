#include "diz/exact/exact_evaluator.h"

#include "diz/engine/draw_rules.h"
#include "exact/order_solver.h"

namespace diz::exact {

const int kPlateAppearanceCap = static_cast<int>(engine::kMaxPlateAppearancesPerInning);

// One order at a time fills one lane: wider paths would only solve copies.
ExactEvaluator::ExactEvaluator(const Batters& batters)
    : m_solver(std::make_unique<OrderSolver>(batters, LanePath::kOne)) {}

ExactEvaluator::~ExactEvaluator() = default;
ExactEvaluator::ExactEvaluator(ExactEvaluator&&) noexcept = default;
ExactEvaluator& ExactEvaluator::operator=(ExactEvaluator&&) noexcept = default;

bool ExactEvaluator::needsCap(const BattingOrder& order) const { return m_solver->needsCap(order); }

ExactFigures ExactEvaluator::evaluate(const BattingOrder& order) {
    return evaluateRotations(order)[0];
}

std::array<ExactFigures, kLineupSize> ExactEvaluator::evaluateRotations(const BattingOrder& order) {
    RotationFigures figures;
    m_solver->rotations(std::span(&order, 1), KeptFigures{}, std::span(&figures, 1));
    return figures;
}

RotationSolver::RotationSolver(const Batters& batters)
    : m_solver(std::make_unique<OrderSolver>(batters)) {}

RotationSolver::~RotationSolver() = default;
RotationSolver::RotationSolver(RotationSolver&&) noexcept = default;
RotationSolver& RotationSolver::operator=(RotationSolver&&) noexcept = default;

void RotationSolver::setBatters(const Batters& batters) { m_solver->setBatters(batters); }

bool RotationSolver::solve(std::span<const BattingOrder> orders,
                           std::span<std::array<double, kLineupSize>> means) {
    // The figures are kept from call to call; a caller's batches are all
    // about the same size, so this grows once.
    if (m_figures.size() < orders.size()) m_figures.resize(orders.size());
    const std::span figures = std::span(m_figures).first(orders.size());
    const bool capped = m_solver->rotations(orders, KeptFigures{false, false, false}, figures);
    for (std::size_t k = 0; k < orders.size(); ++k) {
        for (int r = 0; r < kLineupSize; ++r) means[k][r] = figures[k][r].meanRuns;
    }
    return capped;
}

}  // namespace diz::exact
