// What the subcommands of diz-cli share: the exit statuses, the options of
// `run` and `exact`, the pattern checks, the loading of the batter file and
// the signals that interrupt a run.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/batter_table.h"
#include "batch/orders.h"
#include "batch/run_pipeline.h"

namespace CLI {
class App;
}

namespace diz::cli {

enum ExitStatus : int {
    kSuccess = 0,     // the normal end
    kRunFailed = 1,   // any other reported message: a file, the engine
    kUsageError = 2,  // a bad option, an unreadable or out-of-range batter file
};

// The options of `run`, which `exact` has too.
struct RunOptions {
    std::string batters;                // batter data file, required
    std::string orders = "order.dat";   // the order file
    std::vector<std::string> patterns;  // patterns 1..6; none given means "abcdefghi"
    std::string report = "mean,se";     // comma list of mean, se, inning-runs, inning-prob
    std::string output = "output.txt";  // the result file
    bool quiet = false;                 // no log on standard output
    bool lenient = false;               // read the batter file as the window's Load does
    // Games per order (for `exact`, those the standard error is for). Parsed
    // wider than GamesPerOrder, so that a number too large for it is reported
    // as out of range.
    std::int64_t games = 140;
};

// Declares the options of RunOptions but --games on `sub`: --batters
// (required, an existing file), --lenient, --orders, --pattern (see
// addPatternOption), --report (checked with parseReport), --output and
// --quiet (described by `quietHelp`).
void addRunOptions(CLI::App& sub, RunOptions& options, const char* quietHelp);

// Declares --pattern on `sub`: up to six times, each nine characters a..i or
// '*'. The count is checked by checkPatternCount once parsing is done.
void addPatternOption(CLI::App& sub, std::vector<std::string>& patterns);

// Declares --games on `sub`: a decimal count of games per order,
// kGamesPerOrderMin..kGamesPerOrderMax ("010" is ten; "0x10" is refused).
void addGamesOption(CLI::App& sub, std::int64_t& games, const char* help);

// Throws the usage error for more than six --pattern options.
void checkPatternCount(const std::vector<std::string>& patterns);

// Patterns 1 to 6 from --pattern options in order; the window's default
// (pattern 1 "abcdefghi", the rest empty) when none was given.
Patterns patternsFrom(const std::vector<std::string>& given);

// Reads the --report list (mean, se, inning-runs, inning-prob, comma
// separated; empty for none) into `report` when given; returns the error
// text, empty when the list is good.
std::string parseReport(const std::string& list, ReportOptions* report);

// Reads the --batters file into `table` and checks its counts; on failure
// tells standard error why and returns false (a usage error). Unless
// `lenient`, a file whose lines would not read whole (see
// batter_file_check.h) is refused, naming the line and the field.
bool loadBatters(const std::string& path, BatterTable& table, bool lenient);

// The plan every run of `run` and `exact` starts from: the result file, the
// report, the batter file to protect and the stop flag of the signals;
// `selection` is the subcommand's.
RunPlan consolePlan(const RunOptions& options, OrderSelection selection);

// From here on SIGINT and SIGTERM end a run between two orders instead of
// the process: the first one sets the returned flag (a second one ends the
// process as usual).
const std::atomic<bool>& stopOnSignals();

// The exit status of a finished run: 128 + the signal's number after an
// interruption.
int exitStatus(RunOutcome outcome);

// Runs a subcommand's work from its CLI11 callback: a status other than
// kSuccess ends the parse with that status (already reported).
void finish(int status);

}  // namespace diz::cli
