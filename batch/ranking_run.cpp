#include "batch/ranking_run.h"

#include "batch/messages.h"
#include "batch/order_evaluators.h"
#include "batch/text_io.h"

namespace diz {
namespace {

// Passes the evaluator's progress to the run's counter, and the slow orders
// to the window.
class ProgressCounter final : public RunObserver {
  public:
    ProgressCounter(std::atomic<std::size_t>& done, RunObserver& window)
        : m_done(done), m_window(window) {}
    void progress(std::uint64_t done) override {
        m_done.store(static_cast<std::size_t>(done), std::memory_order_relaxed);
    }
    void slowOrders(int cap) override { m_window.slowOrders(cap); }
    void finished(RunOutcome, std::string_view, std::string_view) override {}

  private:
    std::atomic<std::size_t>& m_done;
    RunObserver& m_window;
};

}  // namespace

std::unique_ptr<RankingRun> RankingRun::start(const OrderSelection& selection,
                                              const BatterRecords& records, RunObserver& observer,
                                              RankingRows spent, std::string& failure) {
    auto orders = std::make_unique<OrderReader>();
    if (!orders->open(selection)) {
        failure = messageWithName(msg::kOrderOpenFailed, selection.orderFile());
        return nullptr;
    }
    std::unique_ptr<RankingRun> run(new RankingRun());
    run->m_thread = std::thread(&RankingRun::run, run.get(), std::move(orders), selection, records,
                                std::ref(observer), std::move(spent));
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

void RankingRun::run(std::unique_ptr<OrderReader> orders, OrderSelection selection,
                     BatterRecords records, RunObserver& observer, RankingRows spent) {
    spent = RankingRows();
    Result result;
    const std::size_t total = countSelectedOrders(selection, &m_cancel).value_or(0);
    m_total.store(total);
    // Reserving the exact count keeps the rows from growing by doubling, which
    // would briefly hold half as much again.
    result.rows.reserve(total);

    // One game per order, so that the standard error the evaluator reports is
    // the standard deviation of one game's runs; every figure; all cores.
    const ReportOptions everyFigure{true, true, true, true};
    ProgressCounter counter(m_done, observer);
    ExactOrderEvaluator evaluator(records, 1, 0, everyFigure, selection, &counter, &m_cancel);
    const auto keep = [&result](const BattingOrder& order, const TrialResult& figures) {
        result.rows.append(order, figures);
        return true;
    };
    const bool all = evaluateAll(*orders, evaluator, keep, &m_cancel);
    orders.reset();
    if (all && !m_cancel.load()) {
        result.outcome = RunOutcome::NormalEnd;
        result.message = msg::rankingEvaluated(result.rows.size());
        // The window's thread then has only to show them.
        result.bestFirst = sortRows(result.rows, ranking::kMeanRuns, SortDirection::Descending);
        result.histogram = runsHistogram(result.rows);
        m_done.store(result.rows.size());
    } else {
        result.outcome = RunOutcome::Interrupted;
        result.message = msg::kRankingCancelled;
        result.rows = RankingRows();
    }
    const RunOutcome outcome = result.outcome;
    const std::string message = result.message;
    m_result = std::move(result);
    observer.finished(outcome, message, "");
}

}  // namespace diz
