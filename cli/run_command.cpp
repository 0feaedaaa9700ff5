#include "cli/run_command.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "batch/simulation.h"
#include "cli/console_observer.h"

namespace diz::cli {

void addRunCommand(CLI::App& app) {
    auto options = std::make_shared<RunOptions>();
    CLI::App* sub = app.add_subcommand("run", "Simulate the selected orders of an order file");
    addRunOptions(*sub, *options, "Leave the log off standard output");
    addGamesOption(*sub, options->games, "Games per order, 1 to 2147483647");
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        finish(runGuarded([&] { return runCommand(*options); }));
    });
}

int runCommand(const RunOptions& options) {
    BatterTable batters{};
    if (!loadBatters(options.batters, batters, options.lenient)) return kUsageError;
    const auto games = static_cast<GamesPerOrder>(options.games);

    const RunPlan plan = consolePlan(
        options,
        OrderSelection(OrderSource::OrderFile, patternsFrom(options.patterns), options.orders));
    ConsoleObserver observer(consoleOutput(options), plan.selection,
                             static_cast<std::uint64_t>(games));
    const std::unique_ptr<TrialEvaluator> evaluator = openSimulation(batters, games, observer);
    if (!evaluator) return exitStatus(RunOutcome::Failed);
    return exitStatus(runOrders(plan, *evaluator, observer));
}

}  // namespace diz::cli
