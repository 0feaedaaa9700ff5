// One evaluation of a ranking on a thread of its own: the selected orders
// through the exact evaluator, collected into RankingRows and ranked, while
// the window's thread only reads the progress and waits for the end.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "batch/batter_table.h"
#include "batch/orders.h"
#include "batch/ranking.h"
#include "batch/run_pipeline.h"

namespace diz {

class RankingRun {
  public:
    // What a run hands over at its end.
    struct Result {
        RunOutcome outcome = RunOutcome::Interrupted;  // NormalEnd, or Interrupted when cancelled
        std::string message;                   // msg::rankingEvaluated(n) or msg::kRankingCancelled
        RankingRows rows;                      // empty unless NormalEnd
        std::vector<std::uint32_t> bestFirst;  // sortRows(rows, kMeanRuns, Descending)
        RunsHistogram histogram;               // runsHistogram(rows)
    };

    // Starts evaluating the orders of `selection` with the exact figures of
    // one game each, on all cores: the orders are counted first (a second
    // reading of the selection), then evaluated. `observer` hears, on the
    // run's thread, the slow orders and at the end finished() with the
    // outcome and its message; takeResult() then hands over the rows (after
    // wait()). `spent`, the previous table's rows, is freed on the run's
    // thread, away from the window's. Nothing when the selection's order file
    // can't be opened: `failure` then holds the message (msg::kOrderOpenFailed
    // with the name) and the observer hears nothing.
    static std::unique_ptr<RankingRun> start(const OrderSelection& selection,
                                             const BatterRecords& records, RunObserver& observer,
                                             RankingRows spent, std::string& failure);
    // Cancels and waits for the thread.
    ~RankingRun();
    RankingRun(const RankingRun&) = delete;
    RankingRun& operator=(const RankingRun&) = delete;

    // Asks the run to stop; it ends soon after, without rows. Any thread.
    void cancel() { m_cancel.store(true); }
    // Waits for the thread to end (after the observer's finished()).
    void wait();
    // The result, once the thread has ended; empties it.
    Result takeResult();

    // Orders done so far and their total (0 while still counting). Any thread.
    std::size_t ordersDone() const { return m_done.load(std::memory_order_relaxed); }
    std::size_t ordersTotal() const { return m_total.load(std::memory_order_relaxed); }

  private:
    RankingRun() = default;
    void run(std::unique_ptr<OrderReader> orders, OrderSelection selection, BatterRecords records,
             RunObserver& observer, RankingRows spent);

    std::atomic<bool> m_cancel{false};
    std::atomic<std::size_t> m_done{0};
    std::atomic<std::size_t> m_total{0};
    Result m_result;
    std::thread m_thread;
};

}  // namespace diz
