#include "ui/ranking_run.h"

#include "batch/order_evaluators.h"
#include "ui/ranking_charts.h"

namespace diz {

std::size_t countSelectedOrders(const OrderSelection& selection, const std::atomic<bool>& cancel) {
    SelectedOrders orders;
    if (!orders.open(selection)) return 0;
    SelectedOrder order;
    std::size_t count = 0;
    while (!cancel.load(std::memory_order_relaxed) && orders.next(order)) ++count;
    return count;
}

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
    const std::size_t total = countSelectedOrders(selection, m_cancel);
    m_total.store(total);
    // Reserving the exact count keeps the rows from growing by doubling, which
    // would briefly hold half as much again.
    outcome.rows.reserve(total);

    // One game per order, so that the standard error the evaluator reports is
    // the standard deviation of one game's runs; all cores.
    ExactOrderEvaluator evaluator(records, 1, 0);
    evaluator.cancel = &m_cancel;
    std::atomic<std::size_t> before{0};  // orders of the batches already handed on
    evaluator.onProgress = [this, &before](std::size_t done) {
        m_done.store(before.load() + done, std::memory_order_relaxed);
    };
    if (capped) evaluator.onCapped = [&capped](int) { capped(); };

    const bool all =
        !m_cancel.load() && evaluateAll(*orders, evaluator,
                                        [this, &outcome, &before](const SelectedOrder& order,
                                                                  const TrialResult& result) {
                                            // A cancelled batch's figures are incomplete.
                                            if (m_cancel.load()) return false;
                                            outcome.rows.append(order.text, result);
                                            before.store(outcome.rows.size());
                                            return true;
                                        });
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
