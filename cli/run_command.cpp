#include "run_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "batter_data.h"
#include "console_window.h"
#include "lineup.h"
#include "simulation_run.h"
#include "window_model.h"

namespace diz::cli {

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

bool loadBatters(const std::string& path, BatterTable& table) {
    if (!readBatterTable(utf8Path(path), table)) {
        std::fprintf(stderr, "打者データを読み込めません：%s\n", path.c_str());
        return false;
    }
    if (const auto error = checkBatterRanges(table)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error->message().c_str());
        return false;
    }
    return true;
}

namespace {

constexpr int kUsageError = 2;

std::string checkPattern(const std::string& pattern) {
    if (pattern.size() > kPatternMaxBytes) {
        return "a pattern holds at most " + std::to_string(kPatternMaxBytes) + " bytes";
    }
    return {};
}

// Selected orders in the file, for the progress line's time left.
std::uint64_t countSelected(const std::string& orderFile, const Patterns& patterns) {
    std::ifstream in(utf8Path(orderFile), std::ios::binary);
    return in ? forEachSelectedOrder(in, patterns, nullptr) : 0;
}

}  // namespace

void addSharedOptions(CLI::App& sub, std::string& batters, std::string& orders,
                      std::vector<std::string>& patterns, std::string& report,
                      std::string& output) {
    sub.add_option("--batters", batters, "Batter data file (nine lines)")
        ->required()
        ->check(CLI::ExistingFile);
    sub.add_option("--orders", orders, "Order file, one order a line")->capture_default_str();
    sub.add_option("--pattern", patterns,
                   "Lineup pattern, up to six times ('*' matches any batter)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(checkPattern, "PATTERN"));
    sub.add_option("--report", report,
                   "Comma list of mean, se, inning-runs, inning-prob (\"\" for none)")
        ->capture_default_str()
        ->check(CLI::Validator([](std::string& list) { return parseReport(list, nullptr); },
                               "LIST"));
    sub.add_option("--output", output, "Result file")->capture_default_str();
}

void checkPatternCount(const std::vector<std::string>& patterns) {
    if (patterns.size() > static_cast<std::size_t>(kPatternCount)) {
        throw CLI::ValidationError("--pattern", "at most six patterns");
    }
}

void setup_run(CLI::App& app) {
    auto options = std::make_shared<RunOptions>();
    CLI::App* sub = app.add_subcommand("run", "Simulate the selected orders of an order file");
    addSharedOptions(*sub, options->batters, options->orders, options->patterns,
                     options->report, options->output);
    sub->add_option("--games", options->games, "Games per order")
        ->capture_default_str()
        ->check(CLI::Range(int64_t{kGamesPerOrderMin}, int64_t{kGamesPerOrderMax}));
    sub->add_flag("--quiet", options->quiet, "Leave the log off standard output");
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        if (const int status = run_run(*options); status != 0) throw CLI::RuntimeError(status);
    });
}

Patterns patternsFrom(const std::vector<std::string>& given) {
    if (given.empty()) return WindowModel{}.patterns;
    Patterns patterns{};
    std::copy_n(given.begin(), std::min(given.size(), patterns.size()), patterns.begin());
    return patterns;
}

int run_run(const RunOptions& options) {
    WindowModel model;
    if (!loadBatters(options.batters, model.batters)) return kUsageError;
    model.gamesPerOrder = static_cast<int32_t>(options.games);
    model.patterns = patternsFrom(options.patterns);
    parseReport(options.report, &model.report);

    const bool showProgress = isTerminal(stderr);
    ProgressLine progress(showProgress ? countSelected(options.orders, model.patterns) : 0,
                          static_cast<std::uint64_t>(model.gamesPerOrder), showProgress);
    ConsoleWindow window(model, options.quiet, &progress);
    FixedChooser chooser(options.output);
    RunSettings settings;
    settings.orderFile = options.orders;
    settings.onOrderDone = [&progress](std::uint64_t done) { progress.update(done); };

    const RunOutcome outcome = performSimulation(model, window, chooser, settings);
    std::fflush(stdout);
    return outcome == RunOutcome::NormalEnd ? 0 : 1;
}

}  // namespace diz::cli
