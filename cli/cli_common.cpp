#include "cli/cli_common.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sstream>

#include "batch/batter_data.h"
#include "batch/batter_file_check.h"
#include "batch/messages.h"
#include "batch/text_io.h"

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

const std::atomic<bool>& stopOnSignals() {
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    return stopRequested;
}

int exitStatus(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::NormalEnd:
            return kSuccess;
        case RunOutcome::Interrupted:
            return 128 + stopSignalNumber.load();
        case RunOutcome::Failed:
            break;
    }
    return kRunFailed;
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
                   "Lineup pattern, up to six times ('*' matches any batter)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(checkPattern, "PATTERN"));
}

void checkPatternCount(const std::vector<std::string>& patterns) {
    if (patterns.size() > static_cast<std::size_t>(kPatternCount)) {
        throw CLI::ValidationError("--pattern", "at most six patterns");
    }
}

void addRunOptions(CLI::App& sub, RunOptions& options, const char* quietHelp) {
    sub.add_option("--batters", options.batters, "Batter data file (nine lines)")
        ->required()
        ->check(CLI::ExistingFile);
    sub.add_flag("--lenient", options.lenient,
                 "Read the batter file as the window's Load does, without checking that "
                 "every line holds nine whole numbers");
    sub.add_option("--orders", options.orders, "Order file, one order a line")
        ->capture_default_str();
    addPatternOption(sub, options.patterns);
    sub.add_option("--report", options.report,
                   "Comma list of mean, se, inning-runs, inning-prob (\"\" for none)")
        ->capture_default_str()
        ->check(
            CLI::Validator([](std::string& list) { return parseReport(list, nullptr); }, "LIST"));
    sub.add_option("--output", options.output, "Result file")->capture_default_str();
    sub.add_flag("--quiet", options.quiet, quietHelp);
}

void addGamesOption(CLI::App& sub, std::int64_t& games, const char* help) {
    sub.add_option("--games", games, help)
        ->capture_default_str()
        ->transform(CLI::Validator(decimalCount, "DECIMAL"))
        ->check(CLI::Range(std::int64_t{kGamesPerOrderMin}, std::int64_t{kGamesPerOrderMax}));
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
    const std::optional<std::string> bytes = readWholeFile(utf8Path(path));
    if (!bytes) {
        std::fprintf(stderr, "%.*s%s\n", static_cast<int>(msg::kBattersLoadFailed.size()),
                     msg::kBattersLoadFailed.data(), path.c_str());
        return false;
    }
    if (!lenient) {
        if (const auto problem = batterFileProblem(*bytes)) {
            std::fprintf(stderr, "%s:%s\n", path.c_str(), problem->c_str());
            return false;
        }
    }
    std::istringstream text(*bytes);
    readBatterTable(text, table);
    if (const auto error = checkBatterRanges(table)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error->message().c_str());
        return false;
    }
    return true;
}

void finish(int status) {
    if (status != kSuccess) throw CLI::RuntimeError(status);
}

}  // namespace diz::cli
