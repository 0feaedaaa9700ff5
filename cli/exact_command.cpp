#include "exact_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "console_window.h"
#include "order_evaluators.h"
#include "run_pipeline.h"
#include "text_io.h"
#include "window_model.h"

namespace diz::cli {
namespace {

struct Ranked {
    std::string order;
    double meanRuns;
};

// "   1 abcdefghi 6.676773 0.000000": rank, order, expected runs, and the gap
// to the best order (negative below it).
std::string ranking(const std::vector<Ranked>& orders, int top) {
    std::vector<std::size_t> rank(orders.size());
    std::iota(rank.begin(), rank.end(), std::size_t{0});
    const std::size_t shown = std::min(rank.size(), static_cast<std::size_t>(top));
    // Best first; equal expectations keep the order of selection.
    std::partial_sort(rank.begin(), rank.begin() + static_cast<std::ptrdiff_t>(shown), rank.end(),
                      [&orders](std::size_t a, std::size_t b) {
                          if (orders[a].meanRuns != orders[b].meanRuns) {
                              return orders[a].meanRuns > orders[b].meanRuns;
                          }
                          return a < b;
                      });
    std::string out = "Top " + std::to_string(shown) + " of " + std::to_string(orders.size()) +
                      " orders by expected runs per game (gap to the best):\n";
    for (std::size_t i = 0; i < shown; ++i) {
        const Ranked& r = orders[rank[i]];
        const std::string number = std::to_string(i + 1);
        out.append(number.size() < 4 ? 4 - number.size() : 0, ' ');
        out += number;
        out += ' ';
        out += r.order;
        out += ' ';
        appendFixed(out, r.meanRuns, 6);
        out += ' ';
        appendFixed(out, r.meanRuns - orders[rank[0]].meanRuns, 6);
        out += '\n';
    }
    return out;
}

}  // namespace

void setup_exact(CLI::App& app) {
    auto options = std::make_shared<ExactOptions>();
    CLI::App* sub = app.add_subcommand(
        "exact", "Exact expected runs of the selected orders from the game's Markov chain");
    addSharedOptions(*sub, *options, "Leave the result lines off standard output");
    sub->add_flag("--all", options->all,
                  "Every ordering of the nine batters instead of the order file "
                  "(patterns, if any, filter them)");
    addGamesOption(*sub, options->games,
                   "Games per order for the standard error (sd / sqrt(games))");
    sub->add_option("--top", options->top, "Orders to rank by expected runs (0: no ranking)")
        ->capture_default_str()
        ->check(CLI::Range(0, 362880));
    sub->add_option("--jobs", options->jobs, "Worker threads (0: one per core)")
        ->capture_default_str()
        ->check(CLI::Range(0, 1024));
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        finish(run_exact(*options));
    });
}

int run_exact(const ExactOptions& options) {
    WindowModel model;
    if (!loadBatters(options.batters, model.batters, options.lenient)) return kUsageError;
    parseReport(options.report, &model.report);

    RunPlan plan;
    plan.selection.orderFile = options.orders;
    plan.selection.patterns = patternsFrom(options.patterns);
    plan.selection.everyOrdering = options.all;
    plan.selection.filterOrderings = !options.patterns.empty();
    plan.report = &model.report;
    plan.resultName = options.output;
    ConsoleRunHooks hooks = consoleRunHooks(options);
    plan.batterFile = hooks.batterFile;
    plan.stop = hooks.stop;
    plan.explain = hooks.explain;
    std::vector<Ranked> ranked;
    if (options.top > 0) {
        plan.onResult = [&ranked](const SelectedOrder& order, const TrialResult& result) {
            ranked.push_back({order.text, result.meanRuns});
        };
    }
    plan.onFinish = [&] {
        if (!ranked.empty() && !(plan.stop != nullptr && plan.stop->load())) {
            const std::string text = ranking(ranked, options.top);
            std::fwrite(text.data(), 1, text.size(), stdout);
        }
        return hooks.checkStandardOutput();
    };

    // More workers than the machine runs at once only wait for one another.
    int jobs = options.jobs;
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    if (cores > 0 && jobs > cores) {
        std::fprintf(stderr,
                     "note: --jobs %d is more than the %d threads this machine runs at "
                     "once; using %d\n",
                     jobs, cores, cores);
        jobs = cores;
    }
    ExactOrderEvaluator evaluator(buildRecords(model.batters), options.games, jobs);
    evaluator.cancel = plan.stop;
    evaluator.onCapped = [](int cap) {
        std::fprintf(stderr,
                     "note: these batters can hardly make an out; their innings are followed up "
                     "to the engine's cap of %d plate appearances, which takes about 20 ms per "
                     "order and its rotations\n",
                     cap);
    };
    ConsoleWindow window(model, options.quiet);
    return exitStatus(runOrders(plan, evaluator, window));
}

}  // namespace diz::cli
