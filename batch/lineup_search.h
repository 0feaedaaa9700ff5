// The best lineups of a roster: nine of its players and their batting order,
// ranked by the exact expected runs per game, under the manager's
// constraints (who must play, who must not, who bats in which slot).
//
// A lineup's figures are those of `diz-cli exact` for its nine players as
// batters a..i in batting order. The search solves the nine rotations of an
// order at once (exact::RotationSolver), one choice of nine players per
// worker thread at a time; results do not depend on the number of threads.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batter_table.h"
#include "batch/roster.h"
#include "batch/run_pipeline.h"
#include "diz/lineup.h"

namespace diz {

// Players are indices into the roster's players.
struct LineupConstraints {
    std::vector<int> play;   // must be among the nine
    std::vector<int> bench;  // must not
    // slot[k]: the player who bats (k + 1)-th, or -1 when anyone may.
    std::array<int, kLineupSize> slot{-1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// A slot request as the user writes it: "9=Tanaka" (slots 1..9).
struct SlotRequest {
    int slot = 0;  // 1..9
    std::string name;
};

// The constraints from names, or the reason they can't be met (in English,
// as diz-cli's option errors are): a name not in the roster, a player both
// to play and to bench, one slot or one player given twice, more than nine
// who must play, fewer than nine who may.
std::optional<std::string> resolveConstraints(const Roster& roster,
                                              const std::vector<std::string>& play,
                                              const std::vector<std::string>& bench,
                                              const std::vector<SlotRequest>& slots,
                                              LineupConstraints& out);

struct Lineup {
    std::array<int, kLineupSize> players{};  // in batting order
    double meanRuns = 0.0;
};

// Better first: more expected runs, and between equal ones the smaller
// players array, so that the ranking is the same however it was found.
bool betterLineup(const Lineup& a, const Lineup& b);

// Choices of nine above this take too long to search (a few milliseconds
// each to screen, a tenth of a second each to rank): marking players who
// must play or must not narrows a large roster down.
inline constexpr std::uint64_t kLineupChoicesMax = 20000;

// How many choices the screening passes on to be ranked (see
// LineupSearchOptions::exhaustive).
inline constexpr std::size_t kRankedChoicesMin = 16;
inline constexpr std::size_t kRankedChoicesMax = 64;
inline constexpr double kScreenMargin = 0.05;

struct LineupSearchOptions {
    std::size_t top = 10;  // lineups to keep
    int jobs = 0;          // worker threads; 0: one per core
    // Every allowed order of every allowed choice. Otherwise every choice is
    // screened with a local search over its orders first, and only the most
    // promising choices have every order evaluated: at least
    // rankedChoicesMin (all of them when there are no more), every choice
    // whose screened best is within screenMargin runs of the best screened,
    // and at most kRankedChoicesMax.
    bool exhaustive = false;
    std::size_t rankedChoicesMin = kRankedChoicesMin;
    double screenMargin = kScreenMargin;
    // Once set, the search ends soon with the best lineups found so far.
    const std::atomic<bool>* stop = nullptr;
    // Orders evaluated so far, from the worker threads.
    std::function<void(std::uint64_t ordersDone)> progress;
};

struct LineupSearchResult {
    std::vector<Lineup> best;      // at most options.top, best first
    std::uint64_t choices = 0;     // choices of nine the constraints allow
    std::uint64_t ranked = 0;      // of them, with every allowed order evaluated
    std::uint64_t orders = 0;      // orders whose expected runs were worked out
    std::uint64_t setsSolved = 0;  // sets of nine rotations solved
    bool interrupted = false;      // the stop flag ended it early
    bool capped = false;           // some order needed the plate-appearance cap
    int cap = 0;                   // that cap: plate appearances in an inning
};

// Searches the lineups of `players` (at least nine) that `constraints`
// allow (see resolveConstraints). May throw what running out of memory or
// threads throws.
LineupSearchResult searchLineups(const std::vector<RosterPlayer>& players,
                                 const LineupConstraints& constraints,
                                 const LineupSearchOptions& options);

// The number of choices of nine players `constraints` allow.
std::uint64_t countChoices(std::size_t players, const LineupConstraints& constraints);

// The orders of one choice that `constraints` allow: 9! less the fixed slots.
std::uint64_t ordersPerChoice(const LineupConstraints& constraints);

// The batter table of a lineup: row k is the player batting (k + 1)-th, so
// that the order "abcdefghi" is the lineup.
BatterTable lineupTable(const std::vector<RosterPlayer>& players, const Lineup& lineup);

// The figures of `diz-cli exact` for the lineup's batter table and the order
// "abcdefghi": expected runs, standard error for `games` games, and the runs
// and chance of scoring of each inning.
TrialResult lineupFigures(const std::vector<RosterPlayer>& players, const Lineup& lineup,
                          GamesPerOrder games);

// The players' names in batting order: "1 Aoki  2 Baba  ...  9 Ueda".
std::string lineupNames(const std::vector<RosterPlayer>& players, const Lineup& lineup);

// The lineups as a CSV file, like the ranking's (UTF-8 with a byte-order
// mark, CR LF): "rank,expected runs,gap,1,2,...,9", then a row per lineup,
// best first, the expected runs and the gap to the first with six decimals
// and the nine names in batting order.
std::string lineupCsv(const std::vector<RosterPlayer>& players, const std::vector<Lineup>& lineups);

}  // namespace diz
