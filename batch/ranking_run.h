// One evaluation of a ranking on a thread of its own: the selected orders
// through the exact evaluator, collected into RankingRows and ranked, then,
// when asked, resampled (how sure the best order is), while the window's
// thread only reads the progress and waits for the end.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "batch/batter_table.h"
#include "batch/messages.h"
#include "batch/orders.h"
#include "batch/ranking.h"
#include "batch/run_pipeline.h"

namespace diz {

// What a window shows of a ranking run while it lasts, so that its status,
// its progress bar and its charts always tell the same thing.
struct RankingProgress {
    std::string_view status;  // msg::kRankingEvaluating, kRankingSlowOrders, kRankingSorting, …
    std::size_t value = 0;    // orders done, or replicates done while resampling
    std::size_t maximum = 0;  // the orders (replicates) to do; 0 while unknown (a busy bar)
};

// What a ranking resamples after its normal end: `replicates` seasons
// (0: none) drawn from `batters`, the counts the ranking's records were
// built from, with resampling::kDefaultSeed.
struct RankingResampling {
    BatterTable batters{};
    std::uint32_t replicates = 0;
};

// The progress of a run that is starting or restarting: evaluating, the bar
// busy (nothing of an earlier run shows).
inline constexpr RankingProgress kRankingStarting{msg::kRankingEvaluating, 0, 0};

class RankingRun {
  public:
    // What a run hands over at its end.
    struct Result {
        // NormalEnd; NothingSelected when the selection held no order;
        // Interrupted when cancelled; Failed when memory or threads ran out.
        RunOutcome outcome = RunOutcome::Interrupted;
        // msg::rankingEvaluated(n), the nothing-selected message,
        // msg::kRankingCancelled, or msg::kOutOfMemory / kNoThread.
        // With resampling, its message when it was stopped:
        // msg::rankingResampleStopped (the ranking is whole all the same).
        std::string message;
        RankingRows rows;                      // empty unless NormalEnd
        std::vector<std::uint32_t> bestFirst;  // sortRows(rows, kMeanRuns, Descending)
        std::vector<std::uint32_t> ranks;      // ranksOf(bestFirst)
        RunsHistogram histogram;               // runsHistogram(rows)
        // resampleOrders over the rows (in selection order) with the first
        // ranking::kResampleShown of bestFirst shown and the next
        // resampling::kLookahead followed; no replicates without resampling
        // or when stopped before the first one ended.
        ResampleSummary resampled;
    };

    // Starts evaluating the orders of `selection` with the exact figures of
    // one game each, on all cores: the orders are counted first (a second
    // reading of the selection), then evaluated, ranked and, with
    // `resampling`'s replicates, resampled. `observer` hears, on the
    // run's thread, the slow orders and at the end finished() with the
    // outcome and its message; takeResult() then hands over the rows (after
    // wait()). Once the orders are open, `spent` is called for the previous
    // table's rows, which are freed on the run's thread, away from the
    // window's. Nothing when the selection's order file can't be read
    // (`failure` then holds orderFileMessage with the folder, and `spent` was
    // not called, so the previous table stays) or no thread can be started
    // (msg::kNoThread; the previous rows are freed here); the observer then
    // hears nothing.
    static std::unique_ptr<RankingRun> start(const OrderSelection& selection,
                                             const BatterRecords& records,
                                             const RankingResampling& resampling,
                                             RunObserver& observer,
                                             const std::function<RankingRows()>& spent,
                                             std::string& failure);
    // Cancels and waits for the thread.
    ~RankingRun();
    RankingRun(const RankingRun&) = delete;
    RankingRun& operator=(const RankingRun&) = delete;

    // Asks the run to stop; it ends soon after, without rows, or while
    // resampling with the ranking and the replicates done. Any thread.
    void cancel() { m_cancel.store(true); }
    // Waits for the thread to end (after the observer's finished()).
    void wait();
    // The result, once the thread has ended; empties it. When the ranking
    // was taken before (takeRanking), it holds the rest: the outcome, the
    // message and the resampled figures, and no rows.
    Result takeResult();
    // True once the orders are ranked and resampling them has begun, until
    // takeRanking(): a window shows the ranking while the seasons are drawn.
    // Any thread.
    bool rankingReady() const { return m_rankingReady.load(); }
    // The ranking (outcome NormalEnd, its message, the rows, bestFirst and
    // the histogram; nothing resampled yet), once rankingReady().
    Result takeRanking();

    // Orders done so far and their total (0 while still counting). Any thread.
    std::size_t ordersDone() const { return m_done.load(std::memory_order_relaxed); }
    std::size_t ordersTotal() const { return m_total.load(std::memory_order_relaxed); }
    // What to show of the run now: busy while counting, orders done of the
    // total while evaluating (msg::kRankingSlowOrders once slow orders came),
    // msg::kRankingSorting once every order is done and they are being ranked,
    // replicates done of the pass's while resampling (msg::kRankingResampling,
    // kRankingResamplingAgain past the first pass), msg::kRankingCancelling
    // once cancelled. Any thread.
    RankingProgress progress() const;

  private:
    enum class Phase { Counting, Evaluating, Ranking, Resampling };
    RankingRun() = default;
    void run(std::unique_ptr<OrderReader> orders, OrderSelection selection, BatterRecords records,
             RankingResampling resampling, RunObserver& observer, RankingRows spent);
    Result evaluate(OrderReader& orders, const OrderSelection& selection,
                    const BatterRecords& records, RunObserver& observer);
    void resample(Result& result, const OrderSelection& selection,
                  const RankingResampling& resampling);
    // Hands the ranking over to takeRanking, keeping in `result` only its
    // outcome and message.
    void handOver(Result& result);

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_slow{false};
    std::atomic<Phase> m_phase{Phase::Counting};
    std::atomic<std::size_t> m_done{0};
    std::atomic<std::size_t> m_total{0};
    std::atomic<int> m_pass{1};  // of the resampling
    std::atomic<std::uint32_t> m_replicatesDone{0};
    std::atomic<std::uint32_t> m_replicatesOf{0};
    Result m_result;
    std::mutex m_rankingMutex;
    Result m_ranking;  // from handOver() to takeRanking()
    std::atomic<bool> m_rankingReady{false};
    std::thread m_thread;
};

}  // namespace diz
