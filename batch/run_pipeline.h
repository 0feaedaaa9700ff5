// The one way orders are run: the window's Simulate, `diz-cli run` and
// `diz-cli exact` all select their orders, open their files, write their
// result lines and report their failures here. Only the step that evaluates
// an order differs: games played through the loaded `trial`, or the exact
// expectations of the game's Markov chain.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "diz/lineup.h"
#include "lineup.h"

namespace diz {

struct ReportOptions;
class Window;

// The figures of one order, as `trial` returns them.
struct TrialResult {
    double meanRuns = 0.0;
    double standardError = 0.0;
    std::array<double, kInnings> inningRuns{};
    std::array<double, kInnings> inningScoring{};
};

// The result line without its line end: the order's nine letters, then each
// figure the report asks for with six decimals. Its length is unbounded: a
// line grows with whatever the numbers print.
void composeResultLine(std::string& line, std::string_view order, const ReportOptions& report,
                       const TrialResult& result);

// The step that evaluates orders. A run hands it up to batchSize() orders at
// a time, in selection order, and writes their lines before the next batch.
class OrderEvaluator {
  public:
    virtual ~OrderEvaluator() = default;
    virtual std::size_t batchSize() const = 0;
    // Fills results[k] with the figures of orders[k] (both the same length).
    // False when it was stopped before it finished; the results are then
    // incomplete.
    virtual bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) = 0;
};

// Where a run takes its orders from.
struct OrderSelection {
    // The order file's name (UTF-8), read when `everyOrdering` is false.
    std::string orderFile = "order.dat";
    Patterns patterns{};
    // Every ordering of the nine batters instead of the order file; the
    // patterns then filter them only when `filterOrderings` is set.
    bool everyOrdering = false;
    bool filterOrderings = false;
    // With everyOrdering: the rotations of an ordering come together (see
    // OrderSource), the order an exact evaluation needs the least memory for.
    bool rotationsTogether = false;
};

// The selected orders, opened: the order file is open for reading from
// open() on, or the orderings are ready to be made.
class SelectedOrders {
  public:
    SelectedOrders();
    ~SelectedOrders();
    SelectedOrders(const SelectedOrders&) = delete;
    SelectedOrders& operator=(const SelectedOrders&) = delete;

    // False when the order file can't be opened for reading (a folder can't);
    // `error` then holds the system's error number.
    bool open(const OrderSelection& selection, int* error = nullptr);
    bool next(SelectedOrder& out);

  private:
    struct Input;
    std::unique_ptr<Input> m_input;
};

// The number of orders `selection` selects, counted ahead of a run from a
// second reading: nothing when the orders come from anything but every
// ordering or a regular file (reading a pipe ahead would leave nothing to
// run) or the file can't be read. Stops early, with what it has counted,
// once `cancel` (when given) is set.
std::optional<std::size_t> countSelectedOrders(const OrderSelection& selection,
                                               const std::atomic<bool>* cancel = nullptr);

// Called with each evaluated order in selection order; false stops the run
// after that order.
using ResultSink = std::function<bool(const SelectedOrder& order, const TrialResult& result)>;

// Hands every order of `orders` to `evaluator`, a batch at a time, and each
// result to `sink`. Once `stop` (when given) is set, no further batch starts;
// the results of a finished batch all reach the sink. False when the sink, the
// evaluator or `stop` ended it early.
bool evaluateAll(SelectedOrders& orders, OrderEvaluator& evaluator, const ResultSink& sink,
                 const std::atomic<bool>* stop = nullptr);

// What a caller of its own (diz-cli) hands a run besides its orders; the
// window leaves all of it empty.
struct RunHooks {
    // The batter file the figures come from, refused as the result file; may
    // be empty (the window's table has no file of its own).
    std::string batterFile;
    // Set (from another thread or a signal handler) to end the run after the
    // order being evaluated: the lines done are kept and the run reports
    // msg::kInterrupted. May be null.
    const std::atomic<bool>* stop = nullptr;
    // Given the system's reason after a failure that has one (a file that
    // can't be opened or written); may be empty.
    std::function<void(std::string_view reason)> explain;
    // Called after the last order, before the result file is closed; returns
    // the name of a destination of its own that could not be written (the run
    // then fails with msg::kOutputWriteFailed), or nothing. May be empty.
    std::function<std::optional<std::string>()> onFinish;
};

// One run from its opened files to its last message.
struct RunPlan {
    OrderSelection selection;
    const ReportOptions* report = nullptr;  // which figures the lines carry
    std::string resultName;                 // UTF-8; empty when none was chosen
    RunHooks hooks;
    // Called once every file is open, before the first order (the window shows
    // its status here); may be empty.
    std::function<void()> onStart;
    // Called with each order's figures after its line was written; may be empty.
    std::function<void(const SelectedOrder& order, const TrialResult& result)> onResult;
};

// How a run ended: with the normal-end message, or with any other reported
// message (the CLI turns this into its exit status).
enum class RunOutcome { NormalEnd, Failed, Interrupted };

// Runs the plan: refuses a result file that is the order file or the batter
// file, opens the order file and only then the result file (locked for the
// run, then emptied; refused when another run holds it), evaluates every
// selected order, writes its line to the result file with CR LF and to the
// window's log with LF, checks every write and the close, and reports the
// end, the interruption or the failure through `window` with the messages of
// messages.h.
RunOutcome runOrders(const RunPlan& plan, OrderEvaluator& evaluator, Window& window);

// True when both names lead to one existing file (links and other spellings
// included).
bool sameFile(std::string_view a, std::string_view b);

}  // namespace diz
