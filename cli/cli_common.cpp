#include "cli/cli_common.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <exception>
#include <sstream>

#include "batch/batter_data.h"
#include "batch/batter_file_check.h"
#include "batch/messages.h"
#include "batch/resource_failure.h"
#include "batch/text_io.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace diz::cli {
namespace {

// A pattern that can accept an order: nine characters, each a batter a..i or
// '*'. The window keeps any text of up to nine bytes; such a pattern accepts
// nothing, which on the command line is a mistake worth telling.
std::string checkPattern(const std::string& pattern) {
    if (pattern.size() > static_cast<std::size_t>(kPatternMaxBytes)) {
        return "a pattern holds at most " + std::to_string(kPatternMaxBytes) + " bytes";
    }
    if (pattern.size() != static_cast<std::size_t>(kLineupSize) ||
        pattern.find_first_not_of("abcdefghi*") != std::string::npos) {
        return "a pattern is nine characters, each a batter a..i or '*': '" + pattern + "'";
    }
    return {};
}

// Decimal digits only, leading zeros dropped, so that "010" is ten rather
// than an octal eight and "0x10" is refused.
std::string decimalCount(std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return "a count is written with the digits 0-9 only: '" + text + "'";
    }
    const std::size_t first = text.find_first_not_of('0');
    text = first == std::string::npos ? "0" : text.substr(first);
    return {};
}

std::atomic<bool> stopRequested{false};
std::atomic<int> stopSignalNumber{0};

extern "C" void onStopSignal(int signal) {
    stopSignalNumber.store(signal);
    stopRequested.store(true);
    std::signal(signal, SIG_DFL);
}

}  // namespace

std::atomic<bool>& stopOnSignals() {
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
#ifndef _WIN32
    std::signal(SIGHUP, onStopSignal);
    std::signal(SIGQUIT, onStopSignal);
    std::signal(SIGPIPE, SIG_IGN);
#endif
    return stopRequested;
}

int exitStatus(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::NormalEnd:
            return kSuccess;
        case RunOutcome::Interrupted:
            return 128 + stopSignalNumber.load();
        case RunOutcome::NothingSelected:
        case RunOutcome::Failed:
        case RunOutcome::Cancelled:
            break;
    }
    return kRunFailed;
}

int runGuarded(const std::function<int()>& command) {
    try {
        return command();
    } catch (...) {
        const auto failure = resourceFailure(std::current_exception());
        if (!failure) throw;
        std::fprintf(stderr, "%.*s\n", static_cast<int>(failure->size()), failure->data());
        return kRunFailed;
    }
}

bool standardOutputIsFile(const std::string& output) {
#ifdef _WIN32
    (void)output;
    return false;
#else
    struct stat out {};
    struct stat file {};
    return fstat(fileno(stdout), &out) == 0 && S_ISREG(out.st_mode) &&
           ::stat(output.c_str(), &file) == 0 && out.st_dev == file.st_dev &&
           out.st_ino == file.st_ino;
#endif
}

RunPlan consolePlan(const RunOptions& options, OrderSelection selection) {
    RunPlan plan;
    plan.selection = std::move(selection);
    parseReport(options.report, &plan.report);
    plan.resultName = options.output;
    plan.batterFile = options.batters;
    plan.stop = &stopOnSignals();
    return plan;
}

void addPatternOption(CLI::App& sub, std::vector<std::string>& patterns) {
    sub.add_option("--pattern", patterns,
                   "Lineup pattern, up to six times: nine characters, each a batter a..i or "
                   "'*' for any batter")
        ->type_name("PATTERN")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(checkPattern, ""));
}

void checkPatternCount(const std::vector<std::string>& patterns) {
    if (patterns.size() > static_cast<std::size_t>(kPatternCount)) {
        throw CLI::ValidationError("--pattern", "at most six patterns");
    }
}

void addRunOptions(CLI::App& sub, RunOptions& options, const char* quietHelp) {
    sub.add_option("--batters", options.batters,
                   "Batter file: nine lines, one per batter a..i, each with six counts (at-bats "
                   "1..100000; singles, doubles, triples, home runs, walks 0..99999) and three "
                   "rates (1B 1to3, 1B 2to4, 2B 1to4), separated by blanks. Refused, with the "
                   "line and the field, unless every line holds exactly these nine numbers")
        ->type_name("FILE")
        ->required()
        ->check(CLI::ExistingFile.description(""));
    sub.add_flag("--lenient", options.lenient,
                 "Read the batter file as the window's Load does: a line may stop early or run "
                 "on, and its missing fields keep their defaults (the counts' ranges are still "
                 "checked, and a file without one whole batter line is refused)");
    sub.add_option("--orders", options.orders,
                   "Order file: one batting order a line, nine letters a..i")
        ->type_name("FILE")
        ->capture_default_str();
    addPatternOption(sub, options.patterns);
    sub.add_option("--report", options.report,
                   "What a result line holds after the order: a comma list of mean, se, "
                   "inning-runs, inning-prob (\"\" for none)")
        ->type_name("LIST")
        ->capture_default_str()
        ->check(CLI::Validator([](std::string& list) { return parseReport(list, nullptr); }, ""));
    sub.add_option("--output", options.output, "Result file")
        ->type_name("FILE")
        ->capture_default_str();
    sub.add_flag("--quiet", options.quiet, quietHelp);
}

void addGamesOption(CLI::App& sub, std::int64_t& games, const char* help) {
    sub.add_option("--games", games, help)
        ->type_name("N")
        ->capture_default_str()
        ->transform(CLI::Validator(decimalCount, ""))
        ->check(CLI::Range(std::int64_t{kGamesPerOrderMin}, std::int64_t{kGamesPerOrderMax})
                    .description(""));
}

Patterns patternsFrom(const std::vector<std::string>& given) {
    if (given.empty()) return kDefaultPatterns;
    Patterns patterns{};
    std::copy_n(given.begin(), std::min(given.size(), patterns.size()), patterns.begin());
    return patterns;
}

std::string parseReport(const std::string& list, ReportOptions* report) {
    ReportOptions parsed{false, false, false, false};
    std::size_t start = 0;
    while (!list.empty() && start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        if (item == "mean") {
            parsed.expectedRuns = true;
        } else if (item == "se") {
            parsed.standardError = true;
        } else if (item == "inning-runs") {
            parsed.inningRuns = true;
        } else if (item == "inning-prob") {
            parsed.inningScoring = true;
        } else {
            return "unknown report item '" + item + "' (mean, se, inning-runs, inning-prob)";
        }
        start = comma + 1;
    }
    if (report) *report = parsed;
    return {};
}

bool loadBatters(const std::string& path, BatterTable& table, bool lenient) {
    // The check and the read see the same bytes, even if the file is replaced
    // meanwhile.
    std::string bytes;
    switch (readSmallFile(utf8Path(path), kBatterFileMaxBytes, bytes)) {
        case FileRead::Read:
            break;
        case FileRead::NotOpened:
            std::fprintf(stderr, "%.*s%s\n", static_cast<int>(msg::kBattersLoadFailed.size()),
                         msg::kBattersLoadFailed.data(), path.c_str());
            return false;
        case FileRead::TooLarge:
            std::fprintf(stderr, "%s: %s\n", path.c_str(),
                         msg::batterFileTooLarge(kBatterFileMaxBytes).c_str());
            return false;
    }
    if (!lenient) {
        if (const auto problem = batterFileProblem(bytes)) {
            std::fprintf(stderr, "%s:%s\n", path.c_str(), problem->c_str());
            return false;
        }
    }
    std::istringstream text(bytes);
    if (readBatterTable(text, table) == 0) {
        std::fprintf(stderr, "%s: %.*s\n", path.c_str(),
                     static_cast<int>(msg::kBatterFileNoLine.size()),
                     msg::kBatterFileNoLine.data());
        return false;
    }
    if (const auto error = checkBatterRanges(table)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error->message().c_str());
        return false;
    }
    const std::string warnings = batterWarningLines(table);
    std::fwrite(warnings.data(), 1, warnings.size(), stderr);
    return true;
}

void finish(int status) {
    if (status != kSuccess) throw CLI::RuntimeError(status);
}

}  // namespace diz::cli
