#include "cli/console_observer.h"

#include <cstdio>
#include <utility>

#include "batch/orders.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace diz::cli {

bool isTerminal(std::FILE* stream) {
#if defined(_WIN32)
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

ProgressLine::ProgressLine(std::optional<std::uint64_t> totalOrders, std::uint64_t gamesPerOrder,
                           bool enabled, std::FILE* out, std::string noun)
    : m_out(out),
      m_noun(std::move(noun)),
      m_total(totalOrders),
      m_games(gamesPerOrder),
      m_enabled(enabled),
      m_start(std::chrono::steady_clock::now()),
      m_lastDraw(m_start) {}

void ProgressLine::update(std::uint64_t ordersDone) {
    if (!m_enabled) return;
    const std::lock_guard lock(m_mutex);
    const auto now = std::chrono::steady_clock::now();
    if (m_drawn &&
        (now - m_lastDraw < std::chrono::milliseconds(200) || ordersDone < m_drawnCount)) {
        return;
    }
    m_lastDraw = now;
    m_drawnCount = ordersDone;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    const std::uint64_t perOrder = m_games > 0 ? m_games : 1;
    const double rate = seconds > 0 ? static_cast<double>(ordersDone * perOrder) / seconds : 0.0;
    const std::string unit = m_games > 0 ? "games/s" : m_noun + "/s";
    if (!m_total) {
        std::fprintf(m_out, "\r%llu %s  %.0f %s\033[K", static_cast<unsigned long long>(ordersDone),
                     m_noun.c_str(), rate, unit.c_str());
    } else {
        const double left = ordersDone > 0 && *m_total > ordersDone
                                ? seconds * static_cast<double>(*m_total - ordersDone) /
                                      static_cast<double>(ordersDone)
                                : 0.0;
        std::fprintf(m_out, "\r%llu/%llu %s  %.0f %s  %.0f s left\033[K",
                     static_cast<unsigned long long>(ordersDone),
                     static_cast<unsigned long long>(*m_total), m_noun.c_str(), rate, unit.c_str(),
                     left);
    }
    std::fflush(m_out);
    m_shown = true;
    m_drawn = true;
}

void ProgressLine::hide() {
    const std::lock_guard lock(m_mutex);
    if (!m_shown) return;
    std::fputs("\r\033[K", m_out);
    std::fflush(m_out);
    m_shown = false;
}

ConsoleOutput consoleOutput(const RunOptions& options) {
    ConsoleOutput output;
    output.quiet = options.quiet;
    output.stopWhenLost = &stopOnSignals();
    if (standardOutputIsFile(options.output)) {
        output.standardOutput = false;
        std::fprintf(stderr,
                     "note: standard output is the result file %s; nothing else is written "
                     "there (as with --quiet)\n",
                     options.output.c_str());
    }
    return output;
}

ConsoleObserver::ConsoleObserver(const ConsoleOutput& output, const OrderSelection& selection,
                                 std::uint64_t gamesPerOrder)
    : m_output(output) {
    m_progress.emplace(isTerminal(stderr) ? countSelectedOrders(selection) : std::nullopt,
                       gamesPerOrder, isTerminal(stderr));
}

void ConsoleObserver::restartProgress(std::uint64_t total, std::string noun) {
    m_progress->hide();
    m_progress.emplace(total, 0, isTerminal(stderr), stderr, std::move(noun));
}

void ConsoleObserver::lose() {
    m_lost = true;
    if (m_output.stopWhenLost != nullptr) m_output.stopWhenLost->store(true);
}

void ConsoleObserver::print(std::string_view text) {
    if (!m_output.standardOutput || m_lost) return;
    m_progress->hide();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::ferror(stdout)) {
        lose();
    }
}

void ConsoleObserver::log(std::string_view text) {
    if (!m_output.quiet) print(text);
}

void ConsoleObserver::slowOrders(int cap) {
    m_progress->hide();
    std::fprintf(stderr,
                 "note: these batters can hardly make an out; their innings are followed up "
                 "to the engine's cap of %d plate appearances, which takes about 20 ms per "
                 "order and its rotations\n",
                 cap);
}

std::optional<std::string> ConsoleObserver::linesDone(bool) {
    if (!m_output.standardOutput) return std::nullopt;
    if (m_lost || std::fflush(stdout) != 0 || std::ferror(stdout)) return std::string("標準出力");
    return std::nullopt;
}

void ConsoleObserver::finished(RunOutcome, std::string_view message, std::string_view reason) {
    m_progress->hide();
    std::fflush(stdout);
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
    if (!reason.empty()) {
        std::fprintf(stderr, "(%.*s)\n", static_cast<int>(reason.size()), reason.data());
    }
}

}  // namespace diz::cli
