#include "batch/order_evaluators.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "batch/library_loader.h"
#include "diz/exact/exact_evaluator.h"
#include "diz/exact/parallel_for.h"

namespace diz {
namespace {

// Remembered when each set's rotations come together: the sets at hand are
// all that a later order can still share.
constexpr std::size_t kSetsAtHand = 1024;

}  // namespace

std::unique_ptr<TrialEvaluator> TrialEvaluator::load(std::string_view libraryName,
                                                     const BatterRecords& records,
                                                     GamesPerOrder games, RunObserver* observer,
                                                     std::string* reason) {
    std::unique_ptr<SharedLibrary> library = SharedLibrary::open(libraryName, reason);
    if (!library) return nullptr;
    const auto trial = reinterpret_cast<TrialFunction>(library->find("trial"));
    if (trial == nullptr) {
        if (reason != nullptr) *reason = libraryFileName(libraryName) + ": no export named trial";
        return nullptr;
    }
    return std::unique_ptr<TrialEvaluator>(
        new TrialEvaluator(std::move(library), trial, records, games, observer));
}

TrialEvaluator::TrialEvaluator(std::unique_ptr<SharedLibrary> library, TrialFunction trial,
                               const BatterRecords& records, GamesPerOrder games,
                               RunObserver* observer)
    : m_library(std::move(library)),
      m_trial(trial),
      m_records(records),
      m_games(static_cast<std::uint32_t>(games)),
      m_observer(observer) {}

TrialEvaluator::~TrialEvaluator() = default;

bool TrialEvaluator::evaluate(std::span<const BattingOrder> orders,
                              std::span<TrialResult> results) {
    for (std::size_t k = 0; k < orders.size(); ++k) {
        const BatterRecord* lineup[kLineupSize];
        for (std::size_t i = 0; i < kLineupSize; ++i) lineup[i] = &m_records[orders[k][i]];
        TrialResult& r = results[k];
        m_trial(lineup, m_games, &r.meanRuns, &r.standardError, r.inningRuns.data(),
                r.inningScoring.data());
        if (m_observer != nullptr) m_observer->progress(++m_done);
    }
    return true;
}

ExactOrderEvaluator::ExactOrderEvaluator(const BatterRecords& records, GamesPerOrder games,
                                         int jobs, const ReportOptions& report,
                                         const OrderSelection& selection, RunObserver* observer,
                                         const std::atomic<bool>* stop)
    : m_jobs(jobs),
      m_records(records),
      m_rootGames(std::sqrt(static_cast<double>(games))),
      m_observer(observer) {
    exact::EvaluationOptions options;
    options.jobs = jobs;
    options.cancel = stop;
    options.rememberedSets =
        selection.rotationsTogether() ? kSetsAtHand : std::size_t{kRotationSets};
    if (observer != nullptr) {
        options.onProgress = [this](std::size_t done) {
            m_observer->progress(m_ordersBefore + done);
        };
    }
    m_stream = std::make_unique<exact::OrderStream>(
        m_records, std::move(options),
        exact::KeptFigures{report.standardError, report.inningRuns, report.inningScoring});
}

ExactOrderEvaluator::~ExactOrderEvaluator() = default;

bool ExactOrderEvaluator::evaluate(std::span<const BattingOrder> orders,
                                   std::span<TrialResult> results) {
    if (m_observer != nullptr && !m_slowNoted) {
        const exact::ExactEvaluator checker(m_records);
        if (std::any_of(orders.begin(), orders.end(),
                        [&checker](const BattingOrder& o) { return checker.needsCap(o); })) {
            m_slowNoted = true;
            m_observer->slowOrders(exact::kPlateAppearanceCap);
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

void ExactOrderEvaluator::forEachPart(std::size_t count,
                                      const std::function<void(std::size_t)>& part) {
    exact::forEachBatch(count, m_jobs, part);
}

}  // namespace diz
