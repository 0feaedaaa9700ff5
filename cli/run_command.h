// `diz-cli run`: one whole simulation run without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "batter_table.h"
#include "lineup.h"

namespace CLI {
class App;
}

namespace diz {
struct ReportOptions;
}

namespace diz::cli {

// Reads the --report list (mean, se, inning-runs, inning-prob, comma
// separated; empty for none) into `report` when given; returns the error
// text, empty when the list is good.
std::string parseReport(const std::string& list, ReportOptions* report);

// Declares the options that `run` and `exact` share on `sub`: --batters
// (required, an existing file), --orders, --pattern (each at most nine bytes),
// --report (checked with parseReport) and --output.
void addSharedOptions(CLI::App& sub, std::string& batters, std::string& orders,
                      std::vector<std::string>& patterns, std::string& report,
                      std::string& output);

// Throws the usage error for more than six --pattern options.
void checkPatternCount(const std::vector<std::string>& patterns);

// Patterns 1 to 6 from --pattern options in order; the window's default
// (pattern 1 "abcdefghi", the rest empty) when none was given.
Patterns patternsFrom(const std::vector<std::string>& given);

// Reads the --batters file into `table` and checks its counts; on failure
// tells standard error why and returns false (a usage error).
bool loadBatters(const std::string& path, BatterTable& table);

struct RunOptions {
    std::string batters;                  // batter data file, required
    std::string orders = "order.dat";     // the order file
    std::vector<std::string> patterns;    // patterns 1..6; none given means "abcdefghi"
    int64_t games = 140;                  // games per order, 1..2147483647
    std::string report = "mean,se";       // comma list of mean, se, inning-runs, inning-prob
    std::string output = "output.txt";    // the result file
    bool quiet = false;                   // no log on standard output
};

// Exit status: 0 after the normal end, 1 after any other reported message,
// 2 for a usage error (bad option, unreadable or out-of-range batter data).
void setup_run(CLI::App& app);
int run_run(const RunOptions& options);

}  // namespace diz::cli
