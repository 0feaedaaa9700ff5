// `diz-cli exact`: every selected order's exact expected runs, standard
// error for a number of games and per-inning figures, computed from the
// game's Markov chain instead of played, and the best orders ranked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace diz::cli {

struct ExactOptions {
    std::string batters;                // batter data file, required
    std::string orders = "order.dat";   // the order file
    std::vector<std::string> patterns;  // patterns 1..6; none given means "abcdefghi"
    bool all = false;                   // every ordering of a..i instead of the order file
    int64_t games = 140;                // the standard error is the one of this many games
    std::string report = "mean,se";     // comma list of mean, se, inning-runs, inning-prob
    std::string output = "output.txt";  // the result file
    int top = 10;                       // orders in the ranking (0: none)
    int jobs = 0;                       // worker threads; 0: one per core
    bool quiet = false;                 // no result lines on standard output
};

// Result lines as `run` writes them (the order, then the figures the report
// asks for, six decimals), CR LF in the result file and LF on standard
// output, then the top orders by expected runs with their gap to the best.
// The output is the same for every --jobs. Exit status: 0 after the normal
// end, 1 when a file can't be opened, 2 for a usage error (bad option,
// unreadable or out-of-range batter data).
void setup_exact(CLI::App& app);
int run_exact(const ExactOptions& options);

}  // namespace diz::cli
