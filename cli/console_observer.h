// How a run shows on the command line: the log goes to standard output,
// the outcome and its reason to standard error, and a progress line to a
// terminal.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "batch/run_pipeline.h"
#include "cli/cli_common.h"

namespace diz::cli {

// A one-line progress display (orders done, games per second, and with a
// known total the time left) on a terminal, standard error by default; shown
// only when enabled. Any thread may update it.
class ProgressLine {
  public:
    // With no games per order (0) the rate is in orders per second; `noun`
    // names what is counted ("orders" unless told).
    ProgressLine(std::optional<std::uint64_t> totalOrders, std::uint64_t gamesPerOrder,
                 bool enabled, std::FILE* out = stderr, std::string noun = "orders");
    // Redraws the line at most a few times a second; a count below one drawn
    // before (a late report from another thread) is passed over.
    void update(std::uint64_t ordersDone);
    // Removes the line from the terminal.
    void hide();

  private:
    std::mutex m_mutex;
    std::FILE* m_out;
    std::string m_noun;
    std::optional<std::uint64_t> m_total;
    std::uint64_t m_games;
    std::uint64_t m_drawnCount = 0;
    bool m_enabled;
    bool m_shown = false;
    bool m_drawn = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};

// True when `stream` is a terminal.
bool isTerminal(std::FILE* stream);

// What a console run writes to standard output.
struct ConsoleOutput {
    bool quiet = false;  // no log (run) or no result lines (exact)
    // False when standard output is the result file itself: then nothing at
    // all goes there, which would land in the results.
    bool standardOutput = true;
    // Set once standard output can't be written (its reader went away, it
    // was closed), so that the run stops as an interruption does; may be
    // null.
    std::atomic<bool>* stopWhenLost = nullptr;
};

// The output of a run with `options`: standard output is left alone, with a
// note on standard error, when it is the result file; a lost standard output
// stops the run through the signals' flag (stopOnSignals()).
ConsoleOutput consoleOutput(const RunOptions& options);

// A run of `run` or `exact` on the console. The log (summary and result
// lines) goes to standard output as `output` says; the outcome's message to
// standard error, followed by the system's reason in parentheses when there
// is one. Every write to standard output is checked: after the first that
// fails nothing more is written there, the run is stopped (see ConsoleOutput)
// and ends with msg::kOutputWriteFailed for it, the result file keeping the
// lines written. When standard error is a terminal, a progress line shows
// there, its total counted ahead from `selection`.
class ConsoleObserver : public RunObserver {
  public:
    // `gamesPerOrder` gives the progress line's rate in games (0: in orders).
    ConsoleObserver(const ConsoleOutput& output, const OrderSelection& selection,
                    std::uint64_t gamesPerOrder);

    void log(std::string_view text) override;
    void started() override { std::fflush(stdout); }
    void progress(std::uint64_t ordersDone) override { m_progress->update(ordersDone); }
    void slowOrders(int cap) override;
    std::optional<std::string> linesDone(bool interrupted) override;
    void finished(RunOutcome outcome, std::string_view message, std::string_view reason) override;

  protected:
    // Writes `text` to standard output, out of the progress line's way.
    void print(std::string_view text);
    // From here on the progress line counts `total` of `noun` (one each)
    // through progress().
    void restartProgress(std::uint64_t total, std::string noun);

  private:
    void lose();

    ConsoleOutput m_output;
    bool m_lost = false;  // a write to standard output failed
    std::optional<ProgressLine> m_progress;
};

}  // namespace diz::cli
