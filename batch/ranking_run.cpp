#include "batch/ranking_run.h"

#include <algorithm>
#include <exception>

#include "batch/messages.h"
#include "batch/order_evaluators.h"
#include "batch/resource_failure.h"
#include "batch/text_io.h"

namespace diz {
namespace {

// Passes the evaluator's progress to the run's counter, and the slow orders
// to the run and the window.
class ProgressCounter final : public RunObserver {
  public:
    ProgressCounter(std::atomic<std::size_t>& done, std::atomic<bool>& slow, RunObserver& window)
        : m_done(done), m_slow(slow), m_window(window) {}
    void progress(std::uint64_t done) override {
        m_done.store(static_cast<std::size_t>(done), std::memory_order_relaxed);
    }
    void slowOrders(int cap) override {
        m_slow.store(true);
        m_window.slowOrders(cap);
    }
    void finished(RunOutcome, std::string_view, std::string_view) override {}

  private:
    std::atomic<std::size_t>& m_done;
    std::atomic<bool>& m_slow;
    RunObserver& m_window;
};

}  // namespace

std::unique_ptr<RankingRun> RankingRun::start(const OrderSelection& selection,
                                              const BatterRecords& records,
                                              const RankingResampling& resampling,
                                              RunObserver& observer,
                                              const std::function<RankingRows()>& spent,
                                              std::string& failure) {
    auto orders = std::make_unique<OrderReader>();
    int error = 0;
    if (!orders->open(selection, &error)) {
        failure = orderFileMessage(selection.orderFile(), error, true);
        return nullptr;
    }
    std::unique_ptr<RankingRun> run(new RankingRun());
    RankingRows rows = spent();
    try {
        run->m_thread = std::thread(&RankingRun::run, run.get(), std::move(orders), selection,
                                    records, resampling, std::ref(observer), std::move(rows));
    } catch (...) {
        const auto resource = resourceFailure(std::current_exception());
        if (!resource) throw;
        failure = *resource;
        return nullptr;
    }
    return run;
}

RankingRun::~RankingRun() {
    cancel();
    wait();
}

void RankingRun::wait() {
    if (m_thread.joinable()) m_thread.join();
}

RankingRun::Result RankingRun::takeResult() { return std::move(m_result); }

RankingRun::Result RankingRun::takeRanking() {
    const std::lock_guard<std::mutex> lock(m_rankingMutex);
    m_rankingReady.store(false);
    return std::move(m_ranking);
}

void RankingRun::handOver(Result& result) {
    const std::lock_guard<std::mutex> lock(m_rankingMutex);
    m_ranking.outcome = result.outcome;
    m_ranking.message = result.message;
    m_ranking.rows = std::move(result.rows);
    m_ranking.bestFirst = std::move(result.bestFirst);
    m_ranking.ranks = std::move(result.ranks);
    m_ranking.histogram = std::move(result.histogram);
    result.rows = RankingRows();
    result.bestFirst = {};
    result.ranks = {};
    result.histogram = {};
    m_rankingReady.store(true);
}

RankingProgress RankingRun::progress() const {
    if (m_cancel.load()) return {msg::kRankingCancelling, 0, 0};
    const std::size_t total = ordersTotal();
    switch (m_phase.load()) {
        case Phase::Counting:
            break;
        case Phase::Evaluating: {
            const std::string_view status =
                m_slow.load() ? msg::kRankingSlowOrders : msg::kRankingEvaluating;
            if (total == 0) return {status, 0, 0};
            // Every order done is not the end yet: the ranking follows.
            const std::size_t done = std::min(ordersDone(), total);
            return {done == total ? msg::kRankingSorting : status, done, total};
        }
        case Phase::Ranking:
            return {msg::kRankingSorting, total, total};
        case Phase::Resampling:
            return {m_pass.load() > 1 ? msg::kRankingResamplingAgain : msg::kRankingResampling,
                    m_replicatesDone.load(), m_replicatesOf.load()};
    }
    return kRankingStarting;
}

void RankingRun::run(std::unique_ptr<OrderReader> orders, OrderSelection selection,
                     BatterRecords records, RankingResampling resampling, RunObserver& observer,
                     RankingRows spent) {
    spent = RankingRows();
    Result result;
    try {
        result = evaluate(*orders, selection, records, observer);
        orders.reset();
        if (result.outcome == RunOutcome::NormalEnd && resampling.replicates > 0) {
            resample(result, selection, resampling);
        }
    } catch (...) {
        // Running out is told like any other end; anything else thrown is a
        // fault, and past the thread's end it ends the program.
        const auto failure = resourceFailure(std::current_exception());
        if (!failure) throw;
        result = Result();
        result.outcome = RunOutcome::Failed;
        result.message = *failure;
    }
    orders.reset();
    const RunOutcome outcome = result.outcome;
    const std::string message = result.message;
    m_result = std::move(result);
    observer.finished(outcome, message, "");
}

RankingRun::Result RankingRun::evaluate(OrderReader& orders, const OrderSelection& selection,
                                        const BatterRecords& records, RunObserver& observer) {
    Result result;
    const std::size_t total = countSelectedOrders(selection, &m_cancel).value_or(0);
    m_total.store(total);
    // Reserving the exact count keeps the rows from growing by doubling, which
    // would briefly hold half as much again.
    result.rows.deferInnings(records);
    result.rows.reserve(total);
    m_phase.store(Phase::Evaluating);

    // One game per order, so that the standard error the evaluator reports is
    // the standard deviation of one game's runs; all cores. The ranking needs
    // the expected runs and the deviation; the inning figures are worked out
    // as the window shows them.
    const ReportOptions rankedFigures{true, true, false, false};
    ProgressCounter counter(m_done, m_slow, observer);
    ExactOrderEvaluator evaluator(records, 1, 0, rankedFigures, selection, &counter, &m_cancel);
    const auto keep = [&result](const BattingOrder& order, const TrialResult& figures) {
        result.rows.append(order, figures);
        return true;
    };
    const bool all = evaluateAll(orders, evaluator, keep, &m_cancel);
    if (!all || m_cancel.load()) {
        result.outcome = RunOutcome::Interrupted;
        result.message = msg::kRankingCancelled;
        result.rows = RankingRows();
        return result;
    }
    if (result.rows.size() == 0) {
        result.outcome = RunOutcome::NothingSelected;
        result.message =
            selection.readsOrderFile()
                ? messageWithName(msg::kNothingSelectedInOrderFile, selection.orderFile())
                : std::string(msg::kNothingSelected);
        return result;
    }
    m_phase.store(Phase::Ranking);
    result.outcome = RunOutcome::NormalEnd;
    result.message = msg::rankingEvaluated(result.rows.size());
    // The window's thread then has only to show them.
    result.bestFirst = sortRows(result.rows, ranking::kMeanRuns, SortDirection::Descending);
    result.ranks = ranksOf(result.bestFirst);
    result.histogram = runsHistogram(result.rows);
    m_done.store(result.rows.size());
    return result;
}

void RankingRun::resample(Result& result, const OrderSelection& selection,
                          const RankingResampling& resampling) {
    // The rows are in selection order, so a row is its order's place.
    std::vector<BattingOrder> orders(result.rows.size());
    for (std::size_t row = 0; row < orders.size(); ++row) {
        for (std::size_t k = 0; k < kLineupSize; ++k) {
            orders[row][k] = static_cast<std::uint8_t>(result.rows.orders[row][k] - 'a');
        }
    }
    // As diz-cli exact --resample follows its --top: the shown orders and a
    // lookahead past them.
    const std::size_t shown = std::min(ranking::kResampleShown, orders.size());
    const std::size_t followed = std::min(shown + resampling::kLookahead, orders.size());
    const std::vector<std::uint32_t> pointRanked(
        result.bestFirst.begin(), result.bestFirst.begin() + static_cast<std::ptrdiff_t>(followed));

    ResampleOptions options;
    options.replicates = std::min(resampling.replicates, resampling::kReplicatesMax);
    options.seed = resampling::kDefaultSeed;
    options.rotationsTogether = selection.rotationsTogether();
    options.stop = &m_cancel;
    options.onReplicate = [this](int pass, std::uint32_t done, std::uint32_t of) {
        m_pass.store(pass);
        m_replicatesOf.store(of);
        m_replicatesDone.store(done);
    };
    m_replicatesOf.store(options.replicates);
    m_phase.store(Phase::Resampling);
    // The window shows the ranking while the seasons are drawn.
    handOver(result);
    result.resampled = resampleOrders(resampling.batters, orders, pointRanked, shown, options);
    const ResampleSummary& summary = result.resampled;
    if (summary.replicates < summary.requested) {
        result.message =
            msg::rankingResampleStopped(orders.size(), summary.replicates, summary.requested);
    }
}

}  // namespace diz
