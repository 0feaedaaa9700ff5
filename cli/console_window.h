// The window operations and the result-file chooser of the command line: the
// log goes to standard output, reported messages to standard error.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "window.h"

namespace diz {
struct WindowModel;
}

namespace diz::cli {

// A one-line progress display on standard error (orders done, games per
// second, and with a known total the time left); shown only when standard
// error is a terminal. Any thread may update it.
class ProgressLine {
  public:
    // With no games per order (0) the rate is in orders per second.
    ProgressLine(std::optional<std::uint64_t> totalOrders, std::uint64_t gamesPerOrder,
                 bool enabled);
    // Redraws the line at most a few times a second; a count below one drawn
    // before (a late report from another thread) is passed over.
    void update(std::uint64_t ordersDone);
    // Removes the line from the terminal.
    void hide();

  private:
    std::mutex m_mutex;
    std::optional<std::uint64_t> m_total;
    std::uint64_t m_games;
    std::uint64_t m_drawnCount = 0;
    bool m_enabled;
    bool m_shown = false;
    bool m_drawn = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};

class ConsoleWindow final : public Window {
  public:
    ConsoleWindow(WindowModel& model, bool quiet, ProgressLine* progress = nullptr);

    void clearLog() override {}
    void appendLog(std::string_view text) override;
    void showModel() override {}
    void repaintNow() override;
    void reportMessage(std::string_view text) override;

  private:
    WindowModel& m_model;
    bool m_quiet;
    ProgressLine* m_progress;
};

// Answers every request with the same name (the --output option).
class FixedChooser final : public FileChooser {
  public:
    explicit FixedChooser(std::string name) : m_name(std::move(name)) {}
    std::optional<std::string> choose(const ChooserRequest&) override { return m_name; }

  private:
    std::string m_name;
};

// True when `stream` is a terminal.
bool isTerminal(std::FILE* stream);

}  // namespace diz::cli
