#include "batch/run_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "batch/messages.h"
#include "batch/result_file.h"
#include "batch/text_io.h"

namespace diz {

void composeResultLine(std::string& line, const BattingOrder& order, const ReportOptions& report,
                       const TrialResult& result) {
    line.clear();
    appendResultLine(line, order, report, result);
}

void appendResultLine(std::string& line, const BattingOrder& order, const ReportOptions& report,
                      const TrialResult& result) {
    appendOrderText(line, order);
    if (report.expectedRuns) appendFixedList(line, std::span(&result.meanRuns, 1), 6);
    if (report.standardError) appendFixedList(line, std::span(&result.standardError, 1), 6);
    if (report.inningRuns) appendFixedList(line, result.inningRuns, 6);
    if (report.inningScoring) appendFixedList(line, result.inningScoring, 6);
}

bool sameFile(std::string_view a, std::string_view b) {
    std::error_code error;
    return std::filesystem::equivalent(utf8Path(a), utf8Path(b), error) && !error;
}

namespace {

// Lines composed beside one another come in pieces of this many.
constexpr std::size_t kLinesPerPiece = 1024;

// The lines of kLinesPerPiece orders, one after another; ends[k] is where the
// k-th ends.
struct Piece {
    std::string text;
    std::vector<std::size_t> ends;
};

// One batch of orders, their figures and, with a LineFormat, their lines;
// the vectors and strings only grow.
struct Batch {
    std::vector<BattingOrder> orders;
    std::vector<TrialResult> results;
    std::vector<Piece> pieces;
    std::size_t count = 0;
    bool last = false;  // the selection had no more orders

    // Reads up to `size` orders. Grown as orders come, so that a short
    // selection never holds a whole batch's worth.
    void fill(OrderReader& source, std::size_t size) {
        count = 0;
        last = false;
        while (count < size) {
            if (count == orders.size()) {
                orders.resize(std::min(size, std::max<std::size_t>(1024, orders.size() * 2)));
            }
            if (!source.next(orders[count])) {
                last = true;
                break;
            }
            ++count;
        }
        results.resize(count);
    }
    bool evaluate(OrderEvaluator& evaluator, const LineFormat& format) {
        if (!evaluator.evaluate(std::span<const BattingOrder>(orders.data(), count),
                                std::span<TrialResult>(results.data(), count))) {
            return false;
        }
        if (format) compose(evaluator, format);
        return true;
    }
    void compose(OrderEvaluator& evaluator, const LineFormat& format) {
        const std::size_t pieceCount = (count + kLinesPerPiece - 1) / kLinesPerPiece;
        if (pieces.size() < pieceCount) pieces.resize(pieceCount);
        evaluator.forEachPart(pieceCount, [&](std::size_t p) {
            Piece& piece = pieces[p];
            piece.text.clear();
            piece.ends.clear();
            const std::size_t end = std::min(count, (p + 1) * kLinesPerPiece);
            for (std::size_t i = p * kLinesPerPiece; i < end; ++i) {
                format(piece.text, orders[i], results[i]);
                piece.ends.push_back(piece.text.size());
            }
        });
    }
    bool deliver(const LineFormat& format, const LineSink& sink) const {
        for (std::size_t i = 0; i < count; ++i) {
            std::string_view line;
            if (format) {
                const Piece& piece = pieces[i / kLinesPerPiece];
                const std::size_t k = i % kLinesPerPiece;
                const std::size_t begin = k == 0 ? 0 : piece.ends[k - 1];
                line = std::string_view(piece.text).substr(begin, piece.ends[k] - begin);
            }
            if (!sink(orders[i], results[i], line)) return false;
        }
        return true;
    }
};

// The thread that evaluates the next batch while the sink takes the current
// one, kept for the whole run: starting a thread for every batch would cost,
// on some systems, as much as handing a batch of lines on.
class AheadThread {
  public:
    AheadThread() = default;
    AheadThread(const AheadThread&) = delete;
    AheadThread& operator=(const AheadThread&) = delete;
    // Waits for a job that runs.
    ~AheadThread() {
        if (!m_thread.joinable()) return;
        {
            const std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    // Starts `job`; false when no thread can be had (the caller runs it).
    bool start(std::function<bool()> job) {
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread(&AheadThread::serve, this);
            } catch (const std::system_error&) {
                return false;
            }
        }
        {
            const std::lock_guard lock(m_mutex);
            m_job = std::move(job);
            m_running = true;
        }
        m_wake.notify_one();
        return true;
    }
    // The started job's result, once it has ended; what it threw is thrown.
    bool result() {
        std::unique_lock lock(m_mutex);
        m_ended.wait(lock, [this] { return !m_running; });
        if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
        return m_result;
    }

  private:
    void serve() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_quit || m_job; });
            if (!m_job) return;
            const std::function<bool()> job = std::exchange(m_job, nullptr);
            lock.unlock();
            bool result = false;
            std::exception_ptr failure;
            try {
                result = job();
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            m_result = result;
            m_failure = failure;
            m_running = false;
            m_ended.notify_one();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_ended;
    std::function<bool()> m_job;
    bool m_running = false;
    bool m_quit = false;
    bool m_result = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

}  // namespace

bool evaluateAll(OrderReader& source, OrderEvaluator& evaluator, const OrderSink& sink,
                 const std::atomic<bool>* stop) {
    return evaluateAll(
        source, evaluator, LineFormat(),
        [&sink](const BattingOrder& order, const TrialResult& result, std::string_view) {
            return sink(order, result);
        },
        stop);
}

bool evaluateAll(OrderReader& source, OrderEvaluator& evaluator, const LineFormat& format,
                 const LineSink& sink, const std::atomic<bool>* stop) {
    const auto stopped = [stop] { return stop != nullptr && stop->load(); };
    const std::size_t batchSize = std::max<std::size_t>(1, evaluator.batchSize());
    Batch current;
    Batch next;
    // After the batches: a job that runs when the sink fails uses them.
    AheadThread ahead;
    current.fill(source, batchSize);
    if (current.count == 0) return true;
    if (stopped() || !current.evaluate(evaluator, format)) return false;
    for (;;) {
        if (!current.last) next.fill(source, batchSize);
        const bool more = !current.last && next.count > 0;
        // The next batch is evaluated beside the sink when the evaluator
        // allows it and a thread can be had; otherwise after it.
        const bool wentAhead =
            more && !stopped() && evaluator.runsBesideTheSink() &&
            ahead.start([&evaluator, &next, &format] { return next.evaluate(evaluator, format); });
        bool delivered = false;
        try {
            delivered = current.deliver(format, sink);
        } catch (...) {
            // The evaluator is in use until the job ends; what the sink threw
            // is what is passed on.
            if (wentAhead) {
                try {
                    static_cast<void>(ahead.result());
                } catch (...) {
                }
            }
            throw;
        }
        // Waited for in any case: the evaluator is in use until then.
        const bool evaluatedAhead = wentAhead && ahead.result();
        if (!delivered) return false;
        if (!more) return true;
        if (stopped() || !(wentAhead ? evaluatedAhead : next.evaluate(evaluator, format))) {
            return false;
        }
        std::swap(current, next);
    }
}

RunOutcome runOrders(const RunPlan& plan, OrderEvaluator& evaluator, RunObserver& observer) {
    const OrderSelection& selection = plan.selection;
    const auto fail = [&](std::string_view message, std::string_view name, int error = 0) {
        observer.finished(RunOutcome::Failed, messageWithName(message, name),
                          error != 0 ? std::strerror(error) : "");
        return RunOutcome::Failed;
    };

    // Opening an input itself for writing would empty it before it is read.
    if (selection.readsOrderFile() && sameFile(plan.resultName, selection.orderFile())) {
        return fail(msg::kOutputIsOrderFile, plan.resultName);
    }
    if (!plan.batterFile.empty() && sameFile(plan.resultName, plan.batterFile)) {
        return fail(msg::kOutputIsBatterFile, plan.resultName);
    }
    // Every input is open before the result file is touched, so a run that
    // can't start leaves the previous results as they were.
    OrderReader orders;
    int error = 0;
    if (!orders.open(selection, &error)) {
        observer.finished(RunOutcome::Failed, orderFileMessage(selection.orderFile(), error, false),
                          error > 0 ? std::strerror(error) : "");
        return RunOutcome::Failed;
    }
    ResultFile result;
    switch (result.open(plan.resultName, plan.waitForReader)) {
        case ResultFile::Opened::Ok:
            break;
        case ResultFile::Opened::Busy:
            return fail(msg::kOutputBusy, plan.resultName);
        case ResultFile::Opened::Failed:
            return fail(msg::kOutputOpenFailed, plan.resultName, result.errorNumber());
    }
    observer.started();

    // The lines are composed with a plain '\n', as the log gets them; the
    // result file writes its own line end.
    std::uint64_t evaluated = 0;
    const ReportOptions report = plan.report;
    const bool finished = evaluateAll(
        orders, evaluator,
        [report](std::string& text, const BattingOrder& order, const TrialResult& figures) {
            appendResultLine(text, order, report, figures);
            text += '\n';
        },
        [&](const BattingOrder& order, const TrialResult& figures, std::string_view line) {
            ++evaluated;
            if (!result.writeLine(line.substr(0, line.size() - 1))) return false;
            observer.log(line);
            observer.result(order, figures);
            return true;
        },
        plan.stop);
    const bool interrupted = !finished && plan.stop != nullptr && plan.stop->load();
    const std::optional<std::string> unwritten = observer.linesDone(interrupted);

    // Puts the lines in the result file's place, or keeps the previous one
    // when there are none.
    if (!result.close()) {
        return fail(msg::kOutputWriteFailed, plan.resultName, result.errorNumber());
    }
    const std::uint64_t written = result.linesWritten();
    // A result name that is a pipe or a device is never kept or replaced.
    const bool kept = written == 0 && !result.direct();
    if (unwritten) {
        // The run stopped there; the result file holds what was done.
        std::string text = messageWithName(msg::kOutputWriteFailed, *unwritten);
        text += '\n';
        text += msg::kWrittenOrders;
        text += std::to_string(written);
        text += kept ? msg::kResultKept : msg::kResultName;
        observer.finished(RunOutcome::Failed, messageWithName(text, plan.resultName), "");
        return RunOutcome::Failed;
    }
    if (interrupted) {
        std::string text(msg::kInterrupted);
        text += std::to_string(written);
        text += kept ? msg::kResultKept : msg::kResultName;
        observer.finished(RunOutcome::Interrupted, messageWithName(text, plan.resultName), "");
        return RunOutcome::Interrupted;
    }
    if (evaluated == 0) {
        std::string text =
            selection.readsOrderFile()
                ? messageWithName(msg::kNothingSelectedInOrderFile, selection.orderFile())
                : std::string(msg::kNothingSelected);
        text += kept ? msg::kResultKept : msg::kResultName;
        observer.finished(RunOutcome::NothingSelected, messageWithName(text, plan.resultName), "");
        return RunOutcome::NothingSelected;
    }
    observer.finished(RunOutcome::NormalEnd, messageWithName(msg::kNormalEnd, plan.resultName), "");
    return RunOutcome::NormalEnd;
}

}  // namespace diz
