// One evaluation of the ranking window on a thread of its own: the selected
// orders through the run pipeline's exact step, collected into RankingRows and
// ranked, while the window's thread only reads the progress.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "batch/run_pipeline.h"
#include "diz/core.h"
#include "ui/ranking_model.h"

namespace diz {

class RankingRun {
  public:
    struct Outcome {
        bool completed = false;  // false when cancelled: rows then hold nothing
        RankingRows rows;
        std::vector<std::uint32_t> bestFirst;  // sortRows(rows, kMeanRuns, descending)
        RunsHistogram histogram;               // RankingCharts::bin(rows)
    };
    // Called once on the run's thread when it ends, cancelled or not.
    using Finished = std::function<void(Outcome outcome)>;
    // Called on the run's thread when some order can hardly make an out, which
    // makes the evaluation much slower.
    using Capped = std::function<void()>;

    // Starts evaluating `orders` (opened from `selection`) with the exact
    // figures of one game each, on all cores. The total is counted first from
    // a second opening of the selection. `spent`, the previous table's rows,
    // is freed on the run's thread, away from the window's.
    RankingRun(std::unique_ptr<SelectedOrders> orders, const OrderSelection& selection,
               const std::array<BatterRecord, kLineupSize>& records, Finished finished,
               Capped capped = {}, RankingRows spent = {});
    // Cancels and waits for the thread.
    ~RankingRun();
    RankingRun(const RankingRun&) = delete;
    RankingRun& operator=(const RankingRun&) = delete;

    // Asks the run to stop; it ends soon after, without rows. Any thread.
    void cancel() { m_cancel.store(true); }
    // Waits for the thread to end (after `finished` was called).
    void wait();

    // Orders done so far and their total (0 while still counting). Any thread.
    std::size_t ordersDone() const { return m_done.load(std::memory_order_relaxed); }
    std::size_t ordersTotal() const { return m_total.load(std::memory_order_relaxed); }

  private:
    void run(std::unique_ptr<SelectedOrders> orders, OrderSelection selection,
             std::array<BatterRecord, kLineupSize> records, Finished finished, Capped capped,
             RankingRows spent);

    std::atomic<bool> m_cancel{false};
    std::atomic<std::size_t> m_done{0};
    std::atomic<std::size_t> m_total{0};
    std::thread m_thread;
};

}  // namespace diz
