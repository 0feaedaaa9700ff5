#include "diz/exact/exact_evaluator.h"

#include <algorithm>

#include "diz/engine/draw_rules.h"
#include "exact/game_figures.h"
#include "exact/order_solver.h"

namespace diz::exact {

const int kPlateAppearanceCap = static_cast<int>(engine::kMaxPlateAppearancesPerInning);

std::string orderText(const BattingOrder& order) {
    std::string text(kLineupSize, ' ');
    for (int i = 0; i < kLineupSize; ++i) text[i] = static_cast<char>('a' + order[i]);
    return text;
}

ExactEvaluator::ExactEvaluator(const Batters& batters)
    : m_solver(std::make_unique<OrderSolver>(batters)) {}

ExactEvaluator::~ExactEvaluator() = default;
ExactEvaluator::ExactEvaluator(ExactEvaluator&&) noexcept = default;
ExactEvaluator& ExactEvaluator::operator=(ExactEvaluator&&) noexcept = default;

bool ExactEvaluator::needsCap(const BattingOrder& order) const { return m_solver->needsCap(order); }

ExactFigures ExactEvaluator::evaluate(const BattingOrder& order) {
    return gameFigures(m_solver->halfInnings(order), 0);
}

std::array<ExactFigures, kLineupSize> ExactEvaluator::evaluateRotations(const BattingOrder& order) {
    return rotationFigures(m_solver->halfInnings(order));
}

std::vector<BattingOrder> allOrders() {
    std::vector<BattingOrder> orders;
    orders.reserve(362880);
    int batters[kLineupSize] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    do {
        BattingOrder order{};
        std::copy(std::begin(batters), std::end(batters), order.begin());
        orders.push_back(order);
    } while (std::next_permutation(std::begin(batters), std::end(batters)));
    return orders;
}

}  // namespace diz::exact
