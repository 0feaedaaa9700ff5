#include "order_evaluators.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "diz/exact/exact_evaluator.h"
#include "library_loader.h"
#include "window_model.h"

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
                                         std::int64_t games, int jobs, const ReportOptions& report)
    : m_records(records),
      m_rootGames(std::sqrt(static_cast<double>(games))),
      m_jobs(jobs),
      m_keepDeviation(report.standardError),
      m_keepInningRuns(report.inningRuns),
      m_keepInningScoring(report.inningScoring) {}

ExactOrderEvaluator::~ExactOrderEvaluator() = default;

bool ExactOrderEvaluator::evaluate(std::span<const BattingOrder> orders,
                                   std::span<TrialResult> results) {
    if (!m_stream) {
        exact::EvaluationOptions options;
        options.jobs = m_jobs;
        options.cancel = cancel;
        options.rememberedSets = rememberedSets;
        if (onProgress) {
            options.onProgress = [this](std::size_t done) { onProgress(m_ordersBefore + done); };
        }
        m_stream = std::make_unique<exact::OrderStream>(
            m_records, std::move(options),
            exact::KeptFigures{m_keepDeviation, m_keepInningRuns, m_keepInningScoring});
    }
    if (onCapped && !m_cappedNoted) {
        const exact::ExactEvaluator checker(m_records);
        if (std::any_of(orders.begin(), orders.end(),
                        [&checker](const BattingOrder& o) { return checker.needsCap(o); })) {
            m_cappedNoted = true;
            onCapped(exact::kPlateAppearanceCap);
        }
    }
    m_figures.resize(orders.size());
    if (!m_stream->evaluate(orders, m_figures)) return false;
    m_ordersBefore += orders.size();
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const exact::ExactFigures& f = m_figures[k];
        TrialResult& r = results[k];
        r.meanRuns = f.meanRuns;
        r.standardError = f.sdRuns / m_rootGames;
        r.inningRuns = f.inningRuns;
        r.inningScoring = f.inningScoring;
    }
    return true;
}

}  // namespace diz
