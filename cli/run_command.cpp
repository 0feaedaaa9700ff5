#include "run_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>

#include "console_window.h"
#include "simulation_run.h"
#include "window_model.h"

namespace diz::cli {

void setup_run(CLI::App& app) {
    auto options = std::make_shared<RunOptions>();
    CLI::App* sub = app.add_subcommand("run", "Simulate the selected orders of an order file");
    addSharedOptions(*sub, *options, "Leave the log off standard output");
    addGamesOption(*sub, options->games, "Games per order");
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        finish(run_run(*options));
    });
}

int run_run(const RunOptions& options) {
    WindowModel model;
    if (!loadBatters(options.batters, model.batters, options.lenient)) return kUsageError;
    model.gamesPerOrder = static_cast<int32_t>(options.games);
    model.patterns = patternsFrom(options.patterns);
    parseReport(options.report, &model.report);

    const bool showProgress = isTerminal(stderr);
    ProgressLine progress(
        showProgress ? countSelectedOrders({options.orders, model.patterns}) : std::nullopt,
        static_cast<std::uint64_t>(model.gamesPerOrder), showProgress);
    ConsoleWindow window(model, options.quiet, &progress);
    FixedChooser chooser(options.output);
    RunSettings settings;
    settings.orderFile = options.orders;
    settings.onOrderDone = [&progress](std::uint64_t done) { progress.update(done); };
    settings.hooks = consoleRunHooks(options);

    return exitStatus(runSimulation(model, window, chooser, settings));
}

}  // namespace diz::cli
