// How a run shows on the command line: the log goes to standard output,
// the outcome and its reason to standard error, and a progress line to a
// terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "batch/run_pipeline.h"

namespace diz::cli {

// A one-line progress display (orders done, games per second, and with a
// known total the time left) on a terminal, standard error by default; shown
// only when enabled. Any thread may update it.
class ProgressLine {
  public:
    // With no games per order (0) the rate is in orders per second.
    ProgressLine(std::optional<std::uint64_t> totalOrders, std::uint64_t gamesPerOrder,
                 bool enabled, std::FILE* out = stderr);
    // Redraws the line at most a few times a second; a count below one drawn
    // before (a late report from another thread) is passed over.
    void update(std::uint64_t ordersDone);
    // Removes the line from the terminal.
    void hide();

  private:
    std::mutex m_mutex;
    std::FILE* m_out;
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

// A run of `run` or `exact` on the console. The log (summary and result
// lines) goes to standard output unless `quiet`; the outcome's message to
// standard error, followed by the system's reason in parentheses when there
// is one; at the end of the lines standard output is checked to have taken
// every byte. When standard error is a terminal, a progress line shows there,
// its total counted ahead from `selection`.
class ConsoleObserver : public RunObserver {
  public:
    // `gamesPerOrder` gives the progress line's rate in games (0: in orders).
    ConsoleObserver(bool quiet, const OrderSelection& selection, std::uint64_t gamesPerOrder);

    void log(std::string_view text) override;
    void started() override { std::fflush(stdout); }
    void progress(std::uint64_t ordersDone) override { m_progress.update(ordersDone); }
    void slowOrders(int cap) override;
    std::optional<std::string> linesDone(bool interrupted) override;
    void finished(RunOutcome outcome, std::string_view message, std::string_view reason) override;

  protected:
    // Writes `text` to standard output, out of the progress line's way.
    void print(std::string_view text);

  private:
    bool m_quiet;
    ProgressLine m_progress;
};

}  // namespace diz::cli
