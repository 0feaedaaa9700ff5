#include "exact_evaluator.h"

#include <algorithm>
#include <atomic>
#include <numeric>
#include <unordered_map>

#include "diz/engine/draw_rules.h"
#include "game_figures.h"
#include "order_solver.h"
#include "parallel_for.h"

namespace diz::exact {
namespace {

// Solves per run of evaluateOrders: long enough for warm starts to pay, short
// enough to share the work out evenly.
constexpr std::size_t kSolvesPerRun = 64;

std::uint64_t packed(const BattingOrder& order, int start) {
    std::uint64_t key = 0;
    for (int i = 0; i < kLineupSize; ++i) key = key << 4 | order[(start + i) % kLineupSize];
    return key;
}

// The lexicographically smallest rotation names the set of rotations; the
// order is that rotation started at `leadoff`.
struct RotationClass {
    std::uint64_t key;
    BattingOrder representative;
    int leadoff;
};

RotationClass rotationClass(const BattingOrder& order) {
    int best = 0;
    std::uint64_t bestKey = packed(order, 0);
    for (int start = 1; start < kLineupSize; ++start) {
        const std::uint64_t key = packed(order, start);
        if (key < bestKey) {
            bestKey = key;
            best = start;
        }
    }
    RotationClass c{bestKey, {}, (kLineupSize - best) % kLineupSize};
    for (int i = 0; i < kLineupSize; ++i) c.representative[i] = order[(best + i) % kLineupSize];
    return c;
}

}  // namespace

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

std::vector<ExactFigures> evaluateOrders(const Batters& batters,
                                         std::span<const BattingOrder> orders,
                                         const EvaluationOptions& options, EvaluationStats* stats) {
    // Group the orders by their set of rotations: members[firstMember[c] ..
    // firstMember[c + 1]) are the orders of class c.
    std::vector<BattingOrder> representatives;
    std::vector<std::uint32_t> classOf(orders.size());
    std::vector<std::uint8_t> leadoffOf(orders.size());
    if (options.shareRotations) {
        std::unordered_map<std::uint64_t, std::uint32_t> index;
        index.reserve(orders.size() / kLineupSize + 1);
        for (std::size_t i = 0; i < orders.size(); ++i) {
            const RotationClass c = rotationClass(orders[i]);
            const auto [it, added] =
                index.emplace(c.key, static_cast<std::uint32_t>(representatives.size()));
            if (added) representatives.push_back(c.representative);
            classOf[i] = it->second;
            leadoffOf[i] = static_cast<std::uint8_t>(c.leadoff);
        }
    } else {
        representatives.assign(orders.begin(), orders.end());
        std::iota(classOf.begin(), classOf.end(), 0u);
    }
    std::vector<std::uint32_t> firstMember(representatives.size() + 1, 0);
    for (auto c : classOf) ++firstMember[c + 1];
    std::partial_sum(firstMember.begin(), firstMember.end(), firstMember.begin());
    std::vector<std::uint32_t> members(orders.size());
    {
        std::vector<std::uint32_t> fill(firstMember.begin(), firstMember.end() - 1);
        for (std::size_t i = 0; i < orders.size(); ++i) {
            members[fill[classOf[i]]++] = static_cast<std::uint32_t>(i);
        }
    }

    std::vector<ExactFigures> results(orders.size());
    std::vector<std::uint8_t> classCapped(representatives.size(), 0);
    const std::size_t runs = (representatives.size() + kSolvesPerRun - 1) / kSolvesPerRun;
    std::atomic<std::size_t> ordersDone{0};
    forEachBatch(runs, options.jobs, [&](std::size_t run) {
        if (options.cancel != nullptr && options.cancel->load()) return;
        OrderSolver solver(batters);
        const std::size_t first = run * kSolvesPerRun;
        const std::size_t last = std::min(representatives.size(), first + kSolvesPerRun);
        for (std::size_t c = first; c != last; ++c) {
            const bool warm = (c - first) % kSolvesPerRun != 0;
            const HalfInningTable table = solver.halfInnings(representatives[c], warm);
            classCapped[c] = table.capped;
            const auto rotations = rotationFigures(table);
            for (auto m = firstMember[c]; m < firstMember[c + 1]; ++m) {
                results[members[m]] = rotations[leadoffOf[members[m]]];
            }
        }
        if (options.onProgress) {
            const std::size_t inRun = firstMember[last] - firstMember[first];
            options.onProgress(ordersDone.fetch_add(inRun) + inRun);
        }
    });

    if (stats != nullptr) {
        stats->orders = orders.size();
        stats->halfInningSolves = representatives.size();
        stats->capped = std::any_of(classCapped.begin(), classCapped.end(),
                                    [](std::uint8_t c) { return c != 0; });
    }
    return results;
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
