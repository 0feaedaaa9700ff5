#include "cli/exact_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "batch/order_evaluators.h"
#include "batch/run_pipeline.h"
#include "batch/text_io.h"
#include "cli/console_observer.h"
#include "cli/roster_command.h"

namespace diz::cli {
namespace {

// The best orders by expected runs seen so far, at most `top` of them: only
// these are kept, however many orders a run evaluates. Equal expectations
// rank in the order of selection.
class TopOrders {
  public:
    // `names` (nine or none): the batters a..i, shown in batting order
    // beside each ranked order.
    TopOrders(std::size_t top, std::vector<std::string> names)
        : m_top(top), m_names(std::move(names)) {
        m_kept.reserve(std::min<std::size_t>(top, 1 << 16));
    }

    void add(const BattingOrder& order, double meanRuns) {
        const Ranked candidate{order, meanRuns, m_seen++};
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
            out += orderText(r.order);
            out += ' ';
            appendFixed(out, r.meanRuns, 6);
            out += ' ';
            appendFixed(out, r.meanRuns - m_kept.front().meanRuns, 6);
            for (std::size_t k = 0; k < m_names.size(); ++k) {
                out += k == 0 ? "  " : ", ";
                out += m_names[r.order[k]];
            }
            out += '\n';
        }
        return out;
    }

  private:
    struct Ranked {
        BattingOrder order;
        double meanRuns;
        std::uint64_t selected;  // place in the selection
    };
    static bool better(const Ranked& a, const Ranked& b) {
        if (a.meanRuns != b.meanRuns) return a.meanRuns > b.meanRuns;
        return a.selected < b.selected;
    }

    std::size_t m_top;
    std::vector<std::string> m_names;
    std::uint64_t m_seen = 0;
    std::vector<Ranked> m_kept;  // a heap under better(): the worst kept first
};

// The console's run with the ranking: every order's expected runs go to the
// top orders, which follow the lines on standard output unless the run was
// interrupted.
class ExactObserver final : public ConsoleObserver {
  public:
    ExactObserver(const ConsoleOutput& output, const OrderSelection& selection, std::size_t top,
                  std::vector<std::string> names)
        : ConsoleObserver(output, selection, 0), m_top(top, std::move(names)), m_ranked(top > 0) {}

    void result(const BattingOrder& order, const TrialResult& figures) override {
        if (m_ranked) m_top.add(order, figures.meanRuns);
    }
    std::optional<std::string> linesDone(bool interrupted) override {
        // The ranking goes to standard output before its check.
        if (m_top.seen() > 0 && !interrupted) print(m_top.text());
        return ConsoleObserver::linesDone(interrupted);
    }

  private:
    TopOrders m_top;
    bool m_ranked;
};

}  // namespace

void addExactCommand(CLI::App& app) {
    auto options = std::make_shared<ExactOptions>();
    CLI::App* sub = app.add_subcommand(
        "exact", "Exact expected runs of the selected orders from the game's Markov chain");
    addRunOptions(*sub, *options, "Leave the result lines off standard output");
    sub->add_flag("--all", options->all,
                  "Every ordering of the nine batters instead of the order file "
                  "(patterns, if any, filter them)");
    addGamesOption(*sub, options->games,
                   "Games per order, 1 to 2147483647, for the standard error (sd / sqrt(N))");
    sub->add_option("--top", options->top,
                    "How many orders to rank by expected runs, 0 to 362880 (0: no ranking)")
        ->type_name("K")
        ->capture_default_str()
        ->check(CLI::Range(0, kOrderings).description(""));
    sub->add_option("--jobs", options->jobs, "Worker threads, 0 to 1024 (0: one per core)")
        ->type_name("J")
        ->capture_default_str()
        ->check(CLI::Range(0, 1024).description(""));
    // A roster's nine players stand in for the batter file.
    CLI::Option* batters = sub->get_option("--batters");
    batters->required(false);
    CLI::Option* roster =
        sub->add_option("--roster", options->roster,
                        "Instead of --batters: a roster CSV (see diz-cli lineup), with --players")
            ->type_name("FILE")
            ->check(CLI::ExistingFile.description(""))
            ->excludes(batters);
    sub->add_option("--players", options->players,
                    "The roster's nine players as batters a..i, in that order: one argument, "
                    "comma separated, or nine (for names with a comma)")
        ->type_name("N1,...,N9")
        ->expected(1, kLineupSize)
        ->needs(roster);
    addRatesOption(*sub, options->rates);
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        if (options->batters.empty() && options->roster.empty()) {
            throw CLI::RequiredError("--batters or --roster");
        }
        finish(runGuarded([&] { return exactCommand(*options); }));
    });
}

int exactCommand(const ExactOptions& options) {
    BatterTable batters{};
    std::vector<std::string> names;
    if (!options.roster.empty()) {
        if (!loadRosterLineup(options.roster, options.players, ratesFrom(options.rates), batters,
                              names)) {
            return kUsageError;
        }
    } else if (!loadBatters(options.batters, batters, options.lenient)) {
        return kUsageError;
    }

    // --all takes the orderings, which patterns given on the command line
    // filter; otherwise the order file's lines the patterns select.
    const Patterns patterns = patternsFrom(options.patterns);
    OrderSource source = OrderSource::OrderFile;
    if (options.all) {
        source =
            options.patterns.empty() ? OrderSource::EveryOrdering : OrderSource::AcceptedOrderings;
    }
    RunPlan plan = consolePlan(options, OrderSelection(source, patterns, options.orders));
    if (!options.roster.empty()) plan.batterFile = options.roster;

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
    ExactObserver observer(consoleOutput(options), plan.selection,
                           static_cast<std::size_t>(options.top), std::move(names));
    ExactOrderEvaluator evaluator(buildRecords(batters), static_cast<GamesPerOrder>(options.games),
                                  jobs, plan.report, plan.selection, &observer, plan.stop);
    return exitStatus(runOrders(plan, evaluator, observer));
}

}  // namespace diz::cli
