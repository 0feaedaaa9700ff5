// What the subcommands of diz-cli share: the exit statuses, the options of
// `run` and `exact`, the pattern checks, the loading of the batter file and
// the signals that interrupt a run.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "batch/batter_table.h"
#include "batch/orders.h"
#include "batch/run_pipeline.h"

namespace CLI {
class App;
}

namespace diz::cli {

// 128 + a signal's number follows an interruption by SIGINT (130), SIGTERM
// (143), SIGHUP (129) or SIGQUIT (131).
enum ExitStatus : int {
    kSuccess = 0,  // the normal end
    // Any other reported message: a file, the engine, no order selected (the
    // previous result file is then kept), standard output that can't be
    // written, memory or threads that ran out.
    kRunFailed = 1,
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
// tells standard error why and returns false (a usage error). A file larger
// than kBatterFileMaxBytes (a device or a pipe that never ends included) is
// refused. Unless `lenient`, a file whose lines would not read whole (see
// batter_file_check.h) is refused, naming the line and the field; with it, a
// file without a single whole batter line. Counts that cannot be (see
// batterWarningLines) are then told on standard error, once.
bool loadBatters(const std::string& path, BatterTable& table, bool lenient);

// True when standard output is the result file `output` itself (`> output.txt`
// onto the default --output): the log would then be written into the
// results. Never on Windows, whose files have no inode to compare.
bool standardOutputIsFile(const std::string& output);

// The plan every run of `run` and `exact` starts from: the result file, the
// report, the batter file to protect and the stop flag of the signals;
// `selection` is the subcommand's.
RunPlan consolePlan(const RunOptions& options, OrderSelection selection);

// From here on SIGINT, SIGTERM, SIGHUP (the terminal closed) and SIGQUIT end
// a run between two orders instead of the process: the first one sets the
// returned flag, and the lines done are kept (a second one ends the process
// as usual). SIGPIPE is ignored, so that a reader that goes away (`| head`)
// shows as a failed write to standard output instead of killing the run.
std::atomic<bool>& stopOnSignals();

// The exit status of a finished run: 128 + the signal's number after an
// interruption, kRunFailed after a run that selected no order.
int exitStatus(RunOutcome outcome);

// Runs a subcommand's work: its status, or kRunFailed after telling standard
// error that memory or threads ran out (see resourceFailure); anything else
// passes on.
int runGuarded(const std::function<int()>& command);

// Runs a subcommand's work from its CLI11 callback: a status other than
// kSuccess ends the parse with that status (already reported).
void finish(int status);

}  // namespace diz::cli
