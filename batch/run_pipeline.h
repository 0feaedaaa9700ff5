// The one way orders are run: the window's Simulate, `diz-cli run` and
// `diz-cli exact` all select their orders, open their files, write their
// result lines and report their outcome here, and the ranking evaluates its
// orders with the same evaluators. Only the step that evaluates an order
// differs: games played through the loaded `trial`, or the exact
// expectations of the game's Markov chain.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "batch/orders.h"
#include "diz/lineup.h"

namespace diz {

// Which figures a result line carries. The line's parts always come in this
// order, whatever order the user ticked them in.
struct ReportOptions {
    bool expectedRuns = true;    // mean runs per game
    bool standardError = true;   // standard error of that mean
    bool inningRuns = false;     // nine per-inning mean runs
    bool inningScoring = false;  // nine per-inning scoring shares
};

// Games per order: 1..2147483647, as the window's field takes them.
using GamesPerOrder = std::int32_t;
inline constexpr GamesPerOrder kGamesPerOrderMin = 1;
inline constexpr GamesPerOrder kGamesPerOrderMax = 2147483647;

// The figures of one order, as `trial` returns them.
struct TrialResult {
    double meanRuns = 0.0;
    double standardError = 0.0;
    std::array<double, kInnings> inningRuns{};
    std::array<double, kInnings> inningScoring{};
};

// The result line without its line end: the order's nine letters, then each
// figure the report asks for with six decimals. Its length is unbounded: a
// line grows with whatever the numbers print. composeResultLine replaces
// `line`, appendResultLine adds to `text`.
void composeResultLine(std::string& line, const BattingOrder& order, const ReportOptions& report,
                       const TrialResult& result);
void appendResultLine(std::string& text, const BattingOrder& order, const ReportOptions& report,
                      const TrialResult& result);

// How a run ended (diz-cli turns this into its exit status):
//  - NormalEnd: every selected order was evaluated and written;
//  - NothingSelected: the selection held no order, so nothing was evaluated
//    and the previous result file was kept;
//  - Interrupted: stopped on request, the lines done kept;
//  - Cancelled: the user cancelled before anything was written (the window's
//    result file chooser); no message box;
//  - Failed: any other reported message.
enum class RunOutcome { NormalEnd, NothingSelected, Failed, Interrupted, Cancelled };

// What a run tells whoever started it: the window's action, diz-cli or the
// ranking. The calls come in this order: log() lines, started(), then per
// order log() of its line and result(), progress() and slowOrders()
// meanwhile, linesDone(), and finished() last and exactly once.
class RunObserver {
  public:
    virtual ~RunObserver() = default;
    // Text for the log, each line ending in '\n': a simulation's nine summary
    // lines, then every order's result line.
    virtual void log(std::string_view text) { (void)text; }
    // Every file is open; the first order is about to be evaluated.
    virtual void started() {}
    // An order's figures, after its line was written and logged.
    virtual void result(const BattingOrder& order, const TrialResult& figures) {
        (void)order;
        (void)figures;
    }
    // Orders evaluated so far in the whole run. May come from an evaluator's
    // worker threads, and ahead of the lines of those orders.
    virtual void progress(std::uint64_t ordersDone) { (void)ordersDone; }
    // Once, before the first order that can hardly make an out is evaluated
    // exactly: its innings are followed up to the engine's cap of `cap` plate
    // appearances, a much slower solve. May come from a worker thread.
    virtual void slowOrders(int cap) { (void)cap; }
    // After the last line, before the result file is closed; `interrupted`
    // when the plan's stop flag ended the run. Returns the name of a
    // destination of the observer's own that could not be written (the run
    // then fails with msg::kOutputWriteFailed), or nothing.
    virtual std::optional<std::string> linesDone(bool interrupted) {
        (void)interrupted;
        return std::nullopt;
    }
    // How the run ended and the message that says so; `reason` holds the
    // system's words after a failure that has them, and is empty otherwise.
    virtual void finished(RunOutcome outcome, std::string_view message,
                          std::string_view reason) = 0;
};

// The step that evaluates orders. A run hands it up to batchSize() orders at
// a time, in selection order, and writes their lines before the next batch.
class OrderEvaluator {
  public:
    virtual ~OrderEvaluator() = default;
    virtual std::size_t batchSize() const = 0;
    // True when evaluate() may run on a thread of its own while the results
    // of the batch before are handed on: the next batch is then evaluated
    // while the last one's lines are written. Calls still come one at a time.
    virtual bool runsBesideTheSink() const { return false; }
    // Fills results[k] with the figures of orders[k] (both the same length).
    // False when it was stopped before it finished; the results are then
    // incomplete.
    virtual bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) = 0;
    // Calls part(0) .. part(count - 1), each once, and returns when all have
    // run: on the evaluator's worker threads where it has them (a batch's
    // lines are composed so, beside one another), else in turn on this one.
    virtual void forEachPart(std::size_t count, const std::function<void(std::size_t)>& part) {
        for (std::size_t k = 0; k < count; ++k) part(k);
    }
};

// Called with each evaluated order in selection order; false stops the run
// after that order.
using OrderSink = std::function<bool(const BattingOrder& order, const TrialResult& result)>;

// Hands every order of `orders` to `evaluator`, a batch at a time, and each
// result to `sink`, in selection order. Once `stop` (when given) is set, no
// further batch starts (one that runs beside the sink may already have begun;
// its results are then dropped); the results of a batch handed on all reach
// the sink. False when the sink, the evaluator or `stop` ended it early.
bool evaluateAll(OrderReader& orders, OrderEvaluator& evaluator, const OrderSink& sink,
                 const std::atomic<bool>* stop = nullptr);

// Appends the line of an evaluated order, without its line end, to `text`.
using LineFormat =
    std::function<void(std::string& text, const BattingOrder& order, const TrialResult& result)>;
using LineSink = std::function<bool(const BattingOrder& order, const TrialResult& result,
                                    std::string_view line)>;

// The same, with each order's line composed by `format` as soon as its batch
// is evaluated, on the evaluator's threads (see forEachPart), and handed to
// `sink` with the order: a sink that only writes the lines then keeps pace
// with evaluators that are faster than composing them on one thread.
bool evaluateAll(OrderReader& orders, OrderEvaluator& evaluator, const LineFormat& format,
                 const LineSink& sink, const std::atomic<bool>* stop = nullptr);

// One run from its opened files to its last message.
struct RunPlan {
    OrderSelection selection;
    ReportOptions report;    // which figures the lines carry
    std::string resultName;  // UTF-8; empty when none was chosen
    // The batter file the figures come from, refused as the result file;
    // empty when the batters come from no file (the window's table).
    std::string batterFile;
    // Set (from another thread or a signal handler) to end the run after the
    // orders being evaluated: the lines done are kept and the run reports
    // msg::kInterrupted. May be null.
    const std::atomic<bool>* stop = nullptr;
    // False for a window, which must not hang: a result file that is a pipe
    // no one reads then fails to open instead of waiting for a reader.
    bool waitForReader = true;
};

// Runs the plan: refuses a result file that is the order file or the batter
// file, opens the order file and only then the result file (see ResultFile:
// locked for the run, refused when another run holds it, its lines written
// beside it and put in its place at the end), evaluates every selected order,
// writes its line to the result file with CR LF and to the observer's log
// with LF, checks every write and the close, and reports the end, the empty
// selection, the interruption or the failure with the messages of
// messages.h. The previous result file is kept whenever no line was written.
// An exception (out of memory, no thread) passes through, and the previous
// result file is then kept as well.
RunOutcome runOrders(const RunPlan& plan, OrderEvaluator& evaluator, RunObserver& observer);

// True when both names lead to one existing file (links and other spellings
// included).
bool sameFile(std::string_view a, std::string_view b);

}  // namespace diz
