#include "exact_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "console_window.h"
#include "order_evaluators.h"
#include "run_pipeline.h"
#include "text_io.h"
#include "window_model.h"

namespace diz::cli {
namespace {

// The best orders by expected runs seen so far, at most `top` of them: only
// these are kept, however many orders a run evaluates. Equal expectations
// rank in the order of selection.
class TopOrders {
  public:
    explicit TopOrders(std::size_t top) : m_top(top) {
        m_kept.reserve(std::min<std::size_t>(top, 1 << 16));
    }

    void add(std::string_view order, double meanRuns) {
        Ranked candidate{{}, meanRuns, m_seen++};
        std::copy_n(order.begin(), std::min(order.size(), candidate.order.size()),
                    candidate.order.begin());
        if (m_kept.size() < m_top) {
            m_kept.push_back(candidate);
            std::push_heap(m_kept.begin(), m_kept.end(), better);
        } else if (m_top > 0 && better(candidate, m_kept.front())) {
            // The heap's front is the worst order kept.
            std::pop_heap(m_kept.begin(), m_kept.end(), better);
            m_kept.back() = candidate;
            std::push_heap(m_kept.begin(), m_kept.end(), better);
        }
    }

    std::uint64_t seen() const { return m_seen; }

    // "   1 abcdefghi 6.676773 0.000000": rank, order, expected runs, and the
    // gap to the best order (negative below it).
    std::string text() {
        std::sort_heap(m_kept.begin(), m_kept.end(), better);
        std::string out = "Top " + std::to_string(m_kept.size()) + " of " + std::to_string(m_seen) +
                          " orders by expected runs per game (gap to the best):\n";
        for (std::size_t i = 0; i < m_kept.size(); ++i) {
            const Ranked& r = m_kept[i];
            const std::string number = std::to_string(i + 1);
            out.append(number.size() < 4 ? 4 - number.size() : 0, ' ');
            out += number;
            out += ' ';
            out.append(r.order.data(), r.order.size());
            out += ' ';
            appendFixed(out, r.meanRuns, 6);
            out += ' ';
            appendFixed(out, r.meanRuns - m_kept.front().meanRuns, 6);
            out += '\n';
        }
        return out;
    }

  private:
    struct Ranked {
        std::array<char, kLineupSize> order;
        double meanRuns;
        std::uint64_t selected;  // place in the selection
    };
    static bool better(const Ranked& a, const Ranked& b) {
        if (a.meanRuns != b.meanRuns) return a.meanRuns > b.meanRuns;
        return a.selected < b.selected;
    }

    std::size_t m_top;
    std::uint64_t m_seen = 0;
    std::vector<Ranked> m_kept;  // a heap under better(): the worst kept first
};

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
    plan.hooks = consoleRunHooks(options);
    TopOrders top(static_cast<std::size_t>(options.top));
    if (options.top > 0) {
        plan.onResult = [&top](const SelectedOrder& order, const TrialResult& result) {
            top.add(order.text, result.meanRuns);
        };
    }
    // The ranking goes to standard output before its check.
    plan.hooks.onFinish = [&top, stop = plan.hooks.stop,
                           checkStandardOutput = std::move(plan.hooks.onFinish)] {
        if (top.seen() > 0 && !(stop != nullptr && stop->load())) {
            const std::string text = top.text();
            std::fwrite(text.data(), 1, text.size(), stdout);
        }
        return checkStandardOutput();
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
    ExactOrderEvaluator evaluator(buildRecords(model.batters), options.games, jobs, model.report);
    evaluator.cancel = plan.hooks.stop;
    evaluator.onCapped = [](int cap) {
        std::fprintf(stderr,
                     "note: these batters can hardly make an out; their innings are followed up "
                     "to the engine's cap of %d plate appearances, which takes about 20 ms per "
                     "order and its rotations\n",
                     cap);
    };
    const bool showProgress = isTerminal(stderr);
    ProgressLine progress(showProgress ? countSelectedOrders(plan.selection) : std::nullopt, 0,
                          showProgress);
    if (showProgress) {
        evaluator.onProgress = [&progress](std::size_t done) { progress.update(done); };
    }
    ConsoleWindow window(model, options.quiet, &progress);
    return exitStatus(runOrders(plan, evaluator, window));
}

}  // namespace diz::cli
