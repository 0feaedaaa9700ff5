#include "order_evaluators.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "exact_evaluator.h"
#include "library_loader.h"

namespace diz {

std::unique_ptr<TrialEvaluator> TrialEvaluator::load(
    std::string_view libraryName, const std::array<BatterRecord, kLineupSize>& records,
    std::uint32_t games, std::string* reason) {
    std::unique_ptr<SharedLibrary> library = SharedLibrary::open(libraryName, reason);
    if (!library) return nullptr;
    const auto trial = reinterpret_cast<TrialFunction>(library->find("trial"));
    if (trial == nullptr) {
        if (reason != nullptr) *reason = libraryFileName(libraryName) + ": no export named trial";
        return nullptr;
    }
    return std::unique_ptr<TrialEvaluator>(
        new TrialEvaluator(std::move(library), trial, records, games));
}

TrialEvaluator::TrialEvaluator(std::unique_ptr<SharedLibrary> library, TrialFunction trial,
                               const std::array<BatterRecord, kLineupSize>& records,
                               std::uint32_t games)
    : m_library(std::move(library)), m_trial(trial), m_records(records), m_games(games) {}

TrialEvaluator::~TrialEvaluator() = default;

bool TrialEvaluator::evaluate(std::span<const BattingOrder> orders,
                              std::span<TrialResult> results) {
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const BatterRecord* lineup[kLineupSize];
        for (std::size_t i = 0; i < kLineupSize; ++i) lineup[i] = &m_records[orders[k][i]];
        TrialResult& r = results[k];
        m_trial(lineup, m_games, &r.meanRuns, &r.standardError, r.inningRuns.data(),
                r.inningScoring.data());
    }
    return true;
}

ExactOrderEvaluator::ExactOrderEvaluator(const std::array<BatterRecord, kLineupSize>& records,
                                         std::int64_t games, int jobs)
    : m_records(records), m_rootGames(std::sqrt(static_cast<double>(games))), m_jobs(jobs) {}

bool ExactOrderEvaluator::evaluate(std::span<const BattingOrder> orders,
                                   std::span<TrialResult> results) {
    if (onCapped) {
        const exact::ExactEvaluator checker(m_records);
        if (std::any_of(orders.begin(), orders.end(),
                        [&checker](const BattingOrder& o) { return checker.needsCap(o); })) {
            onCapped(exact::kPlateAppearanceCap);
        }
    }
    exact::EvaluationOptions options;
    options.jobs = m_jobs;
    options.onProgress = onProgress;
    options.cancel = cancel;
    const std::vector<exact::ExactFigures> figures =
        exact::evaluateOrders(m_records, orders, options);
    if (cancel != nullptr && cancel->load()) return false;
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const exact::ExactFigures& f = figures[k];
        TrialResult& r = results[k];
        r.meanRuns = f.meanRuns;
        r.standardError = f.sdRuns / m_rootGames;
        r.inningRuns = f.inningRuns;
        r.inningScoring = f.inningScoring;
    }
    return true;
}

}  // namespace diz
