// The roster window's search, the same in every front-end: each player's
// mark (who must play, who must not, who bats in a fixed slot), the
// constraints the marks make, and the search for the best lineups on a
// thread of its own, while the window's thread only reads the progress.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "batch/lineup_search.h"
#include "batch/roster.h"

namespace diz {

// What the roster table's 出場 column says of a player.
enum class PlayerRole { Free, Play, Bench };

struct PlayerMark {
    PlayerRole role = PlayerRole::Free;
    int slot = 0;  // the batting slot 1..9 he is locked in, 0 for none
};

// The texts of the roster table's two mark columns: the roles ("", 必ず出場,
// 出場しない) and the slots ("", "1" .. "9"), in the order the choosers list
// them.
inline constexpr std::string_view kRoleTexts[] = {"", "必ず出場", "出場しない"};
std::string slotText(int slot);

// The constraints of `marks` (one per player), or why they can't be met: a
// benched player locked in a slot, two players in one slot, more than nine
// who must play (a locked player must), fewer than nine who may, or more
// choices of nine than kLineupChoicesMax. Reasons in Japanese.
std::optional<std::string> markedConstraints(std::span<const RosterPlayer> players,
                                             std::span<const PlayerMark> marks,
                                             LineupConstraints& out);

// One search of the best lineups of a roster.
class LineupRun {
  public:
    struct Result {
        LineupSearchResult search;
        // What the window's status says: how many choices were searched and
        // how many ranked over all their orders, or that it was stopped (the
        // lineups found so far kept), or why it failed.
        std::string message;
        bool failed = false;
    };

    // Starts the search of the `top` best lineups of `players` under
    // `constraints` (see markedConstraints) on all cores. Nothing when no
    // thread can be started (`failure` then holds msg::kNoThread).
    static std::unique_ptr<LineupRun> start(std::vector<RosterPlayer> players,
                                            LineupConstraints constraints, std::size_t top,
                                            std::string& failure);
    // Cancels and waits for the thread.
    ~LineupRun();
    LineupRun(const LineupRun&) = delete;
    LineupRun& operator=(const LineupRun&) = delete;

    // Asks the search to stop; it ends soon after with the best lineups found
    // so far. Any thread.
    void cancel() { m_cancel.store(true); }
    // True once the thread has handed its result over. Any thread.
    bool finished() const { return m_finished.load(); }
    // The result, after finished(): waits for the thread and empties it.
    Result takeResult();
    // Orders evaluated so far. Any thread.
    std::uint64_t ordersDone() const { return m_done.load(std::memory_order_relaxed); }
    // The status while it runs: "最適な打線を探しています… 12345 打順", or
    // that it is stopping once cancelled.
    std::string status() const;

  private:
    LineupRun() = default;
    void run(std::vector<RosterPlayer> players, LineupConstraints constraints, std::size_t top);

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finished{false};
    std::atomic<std::uint64_t> m_done{0};
    Result m_result;
    std::thread m_thread;
};

struct WindowModel;

// Puts `lineup` into the main window's model: its players become the nine
// rows in batting order with their names, and lineup pattern 1 becomes
// "abcdefghi", so that Simulate and the ranking work on that order; the
// status says so (msg::kRosterPutDone).
void putLineup(WindowModel& model, const std::vector<RosterPlayer>& players, const Lineup& lineup);

// A found lineup as the roster window lists it: its rank, the expected runs
// and the gap to the best with six decimals, the names in batting order.
std::string lineupRowText(const std::vector<RosterPlayer>& players, const Lineup& lineup,
                          std::size_t rank, double bestRuns);

}  // namespace diz
