#include "ui/ranking_run.h"

#include "batch/order_evaluators.h"
#include "batch/window_model.h"
#include "ui/ranking_charts.h"

namespace diz {

RankingRun::RankingRun(std::unique_ptr<SelectedOrders> orders, const OrderSelection& selection,
                       const std::array<BatterRecord, kLineupSize>& records, Finished finished,
                       Capped capped, RankingRows spent)
    : m_thread(&RankingRun::run, this, std::move(orders), selection, records, std::move(finished),
               std::move(capped), std::move(spent)) {}

RankingRun::~RankingRun() {
    cancel();
    wait();
}

void RankingRun::wait() {
    if (m_thread.joinable()) m_thread.join();
}

void RankingRun::run(std::unique_ptr<SelectedOrders> orders, OrderSelection selection,
                     std::array<BatterRecord, kLineupSize> records, Finished finished,
                     Capped capped, RankingRows spent) {
    spent = RankingRows();
    Outcome outcome;
    const std::size_t total = countSelectedOrders(selection, &m_cancel).value_or(0);
    m_total.store(total);
    // Reserving the exact count keeps the rows from growing by doubling, which
    // would briefly hold half as much again.
    outcome.rows.reserve(total);

    // One game per order, so that the standard error the evaluator reports is
    // the standard deviation of one game's runs; all cores.
    const ReportOptions everyFigure{true, true, true, true};
    ExactOrderEvaluator evaluator(records, 1, 0, everyFigure);
    evaluator.cancel = &m_cancel;
    // Orderings that come with their rotations together leave nothing worth
    // remembering beyond the sets at hand; the rows hold the figures.
    if (selection.rotationsTogether) evaluator.rememberedSets = 1024;
    evaluator.onProgress = [this](std::size_t done) {
        m_done.store(done, std::memory_order_relaxed);
    };
    if (capped) evaluator.onCapped = [&capped](int) { capped(); };

    const auto keep = [&outcome](const SelectedOrder& order, const TrialResult& result) {
        outcome.rows.append(order.text, result);
        return true;
    };
    const bool all = evaluateAll(*orders, evaluator, keep, &m_cancel);
    orders.reset();
    if (all && !m_cancel.load()) {
        outcome.completed = true;
        // The window's thread then has only to show them.
        outcome.bestFirst = sortRows(outcome.rows, ranking::kMeanRuns, Qt::DescendingOrder);
        outcome.histogram = RankingCharts::bin(outcome.rows);
        m_done.store(outcome.rows.size());
    } else {
        outcome.rows = RankingRows();
    }
    finished(std::move(outcome));
}

}  // namespace diz
