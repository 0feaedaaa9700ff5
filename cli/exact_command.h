// `diz-cli exact`: every selected order's exact expected runs, standard
// error for a number of games and per-inning figures, computed from the
// game's Markov chain instead of played, and the best orders ranked.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace diz::cli {

struct ExactOptions : RunOptions {
    bool all = false;        // every ordering of a..i instead of the order file
    int top = 10;            // orders in the ranking (0: none)
    int jobs = 0;            // worker threads; 0: one per core
    int resample = 0;        // resampled seasons, 0..10000 (0: none)
    std::uint64_t seed = 1;  // their generator's seed
    std::string csv;         // the ranked table as a CSV file; empty: none
    // Instead of --batters: nine players of a roster, batters a..i in the
    // order named, whose names the ranking shows beside the letters.
    std::string roster;
    std::vector<std::string> players;
    std::string rates;  // --rates A,B,C for the roster; empty for the defaults
};

// Result lines as `run` writes them (the order, then the figures the report
// asks for, six decimals), CR LF in the result file and LF on standard
// output, then the top orders by expected runs with their gap to the best.
// With --resample N, N seasons drawn anew from the batters' counts follow
// (see batch/resample.h): how often each order is best in them, its median
// rank and the spread of its gap, and what playing the best or the entered
// order costs. With --csv FILE, every selected order ranked as the ranking
// window saves it, with the resampled figures in four more columns. The
// output is the same for every --jobs. Exit status: kSuccess after the
// normal end, kRunFailed when a file can't be opened or written, no order
// was selected or memory or threads ran out, kUsageError for a bad option or
// batter file, 128 + the signal's number after an interruption.
void addExactCommand(CLI::App& app);
int exactCommand(const ExactOptions& options);

}  // namespace diz::cli
