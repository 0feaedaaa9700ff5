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

}  // namespace diz::exact
