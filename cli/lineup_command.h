// `diz-cli lineup`: the best lineups of a roster — nine players and their
// batting order — by exact expected runs per game, under the constraints
// given (who must play, who sits, who bats in which slot).
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace diz::cli {

struct LineupOptions {
    std::string roster;              // the roster CSV, required
    std::vector<std::string> play;   // names that must play
    std::vector<std::string> bench;  // names that must not
    std::vector<std::string> slots;  // "K=NAME", K 1..9
    int top = 10;                    // lineups listed
    int jobs = 0;                    // worker threads; 0: one per core
    bool exhaustive = false;         // every order of every choice
    std::string output;              // the lineups' CSV; empty for none
    std::string rates;               // --rates A,B,C; empty for the defaults
};

// Prints the top lineups with their expected runs and gap to the best, then
// the best lineup's figures as `exact` prints them (its nine players as
// batters a..i in batting order). The output is the same for every --jobs.
// Exit status: kSuccess, kUsageError for a bad option, roster or
// constraint, kRunFailed when the CSV can't be written or memory or threads
// ran out, 128 + the signal's number after an interruption, which prints
// the best lineups found so far.
void addLineupCommand(CLI::App& app);
int lineupCommand(const LineupOptions& options);

}  // namespace diz::cli
