#include "cli/exact_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "batch/messages.h"
#include "batch/order_evaluators.h"
#include "batch/ranking.h"
#include "batch/resample.h"
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

    // The places in the selection of the orders kept, best first.
    std::vector<std::uint32_t> bestPlaces() const {
        std::vector<Ranked> sorted = m_kept;
        std::sort(sorted.begin(), sorted.end(), better);
        std::vector<std::uint32_t> places;
        places.reserve(sorted.size());
        for (const Ranked& r : sorted) places.push_back(static_cast<std::uint32_t>(r.selected));
        return places;
    }

    // The first `shown` orders kept, "   1 abcdefghi 6.676773 0.000000":
    // rank, order, expected runs, and the gap to the best order (negative
    // below it).
    std::string text(std::size_t shown) const {
        std::vector<Ranked> sorted = m_kept;
        std::sort(sorted.begin(), sorted.end(), better);
        sorted.resize(std::min(shown, sorted.size()));
        std::string out = "Top " + std::to_string(sorted.size()) + " of " + std::to_string(m_seen) +
                          " orders by expected runs per game (gap to the best):\n";
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const Ranked& r = sorted[i];
            const std::string number = std::to_string(i + 1);
            out.append(number.size() < 4 ? 4 - number.size() : 0, ' ');
            out += number;
            out += ' ';
            out += orderText(r.order);
            out += ' ';
            appendFixed(out, r.meanRuns, 6);
            out += ' ';
            appendFixed(out, r.meanRuns - sorted.front().meanRuns, 6);
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
// interrupted. With resampling or a CSV file to write, the run's normal end
// is told only after them (see finishAfterRun), and the orders (for the
// resampling) and their figures (for the CSV) are kept as they come.
class ExactObserver final : public ConsoleObserver {
  public:
    // `names` (nine or none): the batters a..i, shown beside each ranked order.
    ExactObserver(const ConsoleOutput& output, const OrderSelection& selection,
                  const ExactOptions& options, std::vector<std::string> names)
        : ConsoleObserver(output, selection, 0),
          m_shown(static_cast<std::size_t>(options.top)),
          m_top(options.resample > 0 ? std::max<std::size_t>(m_shown, 1) + resampling::kLookahead
                                     : m_shown,
                std::move(names)),
          m_ranked(options.top > 0 || options.resample > 0),
          m_keepOrders(options.resample > 0),
          m_keepRows(!options.csv.empty()),
          m_rootGames(std::sqrt(static_cast<double>(options.games))) {}

    void result(const BattingOrder& order, const TrialResult& figures) override {
        if (m_ranked) m_top.add(order, figures.meanRuns);
        if (m_keepOrders) m_orders.push_back(order);
        if (m_keepRows) {
            // The ranking keeps one game's standard deviation: the standard
            // error times sqrt(games), the deviation again to within a
            // rounding of its last bit.
            TrialResult game = figures;
            game.standardError *= m_rootGames;
            m_rows.append(order, game);
        }
    }
    std::optional<std::string> linesDone(bool interrupted) override {
        // The ranking goes to standard output before its check.
        if (m_top.seen() > 0 && !interrupted && m_shown > 0) print(m_top.text(m_shown));
        return ConsoleObserver::linesDone(interrupted);
    }
    void finished(RunOutcome outcome, std::string_view message, std::string_view reason) override {
        if (outcome == RunOutcome::NormalEnd && (m_keepOrders || m_keepRows)) {
            m_heldMessage = message;
            m_heldReason = reason;
            m_held = true;
            return;
        }
        ConsoleObserver::finished(outcome, message, reason);
    }

    // After a normal end: the resampled seasons and their report, the CSV
    // file, then the run's message; `status` is passed on otherwise.
    int finishAfterRun(int status, const ExactOptions& options, const BatterTable& batters,
                       const RunPlan& plan, int jobs);

  private:
    std::size_t m_shown;
    TopOrders m_top;
    bool m_ranked;
    bool m_keepOrders;
    bool m_keepRows;
    double m_rootGames;
    std::vector<BattingOrder> m_orders;  // every order in selection order (resampling)
    RankingRows m_rows;                  // every order's figures (CSV)
    bool m_held = false;
    std::string m_heldMessage;
    std::string m_heldReason;
};

int ExactObserver::finishAfterRun(int status, const ExactOptions& options,
                                  const BatterTable& batters, const RunPlan& plan, int jobs) {
    if (!m_held) return status;
    const std::string written = std::to_string(m_top.seen());

    ResampleSummary summary;
    std::uint32_t replicates = 0;
    std::uint32_t requested = 0;
    if (options.resample > 0) {
        ResampleOptions resample;
        resample.replicates = static_cast<std::uint32_t>(options.resample);
        resample.seed = options.seed;
        resample.jobs = jobs;
        resample.rotationsTogether = plan.selection.rotationsTogether();
        resample.stop = plan.stop;
        restartProgress(resample.replicates, "replicates");
        resample.onReplicate = [this](int pass, std::uint32_t done, std::uint32_t of) {
            if (pass > 1 && done == 1) {
                restartProgress(of, "replicates (pass " + std::to_string(pass) + ")");
            }
            progress(done);
        };
        summary = resampleOrders(batters, m_orders, m_top.bestPlaces(), m_shown, resample);
        print(resampleText(summary));
        replicates = summary.replicates;
        requested = summary.requested;
        if (const std::optional<std::string> lost = ConsoleObserver::linesDone(false)) {
            std::string text = messageWithName(msg::kOutputWriteFailed, *lost);
            text += '\n';
            text += msg::kWrittenOrders;
            text += written;
            text += msg::kResultName;
            ConsoleObserver::finished(RunOutcome::Failed, messageWithName(text, plan.resultName),
                                      "");
            return kRunFailed;
        }
    }

    if (!options.csv.empty()) {
        // Rows are in selection order, as the resampling's places are.
        RankingTable table;
        table.setRows(std::move(m_rows));
        table.setResampled(std::move(summary));
        const SaveResult saved = table.saveCsv(utf8Path(options.csv));
        if (saved != SaveResult::Saved) {
            ConsoleObserver::finished(RunOutcome::Failed, csvSaveMessage(saved, options.csv), "");
            return kRunFailed;
        }
    }

    if (replicates < requested) {
        std::string text(msg::kInterrupted);
        text += written;
        text += msg::kResultName;
        ConsoleObserver::finished(RunOutcome::Interrupted, messageWithName(text, plan.resultName),
                                  "");
        return exitStatus(RunOutcome::Interrupted);
    }
    ConsoleObserver::finished(RunOutcome::NormalEnd, m_heldMessage, m_heldReason);
    return kSuccess;
}

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
    sub->add_option("--resample", options->resample,
                    "Seasons to draw anew from the batters' counts, 0 to 10000, each ranking "
                    "every selected order again (0: none)")
        ->type_name("N")
        ->capture_default_str()
        ->check(CLI::Range(0, static_cast<int>(resampling::kReplicatesMax)).description(""));
    sub->add_option("--seed", options->seed,
                    "Where the resampled seasons' draws start; the same seed draws the same "
                    "seasons")
        ->type_name("S")
        ->capture_default_str();
    sub->add_option("--csv", options->csv,
                    "Also write every selected order ranked to FILE as the ranking window "
                    "saves it (with --resample, four more columns)")
        ->type_name("FILE");
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
    // The CSV is written over none of the run's other files.
    if (!options.csv.empty()) {
        std::string_view refused;
        if (sameFile(options.csv, plan.batterFile)) {
            refused = msg::kOutputIsBatterFile;
        } else if (!options.all && sameFile(options.csv, options.orders)) {
            refused = msg::kOutputIsOrderFile;
        } else if (options.csv == options.output || sameFile(options.csv, options.output)) {
            refused = msg::kCsvIsOutput;
        }
        if (!refused.empty()) {
            std::fprintf(stderr, "%s\n", messageWithName(refused, options.csv).c_str());
            return kRunFailed;
        }
    }
    // The CSV holds every figure, whatever the lines show.
    ReportOptions evaluated = plan.report;
    if (!options.csv.empty()) evaluated = ReportOptions{true, true, true, true};
    ExactObserver observer(consoleOutput(options), plan.selection, options, std::move(names));
    ExactOrderEvaluator evaluator(buildRecords(batters), static_cast<GamesPerOrder>(options.games),
                                  jobs, evaluated, plan.selection, &observer, plan.stop);
    const int status = exitStatus(runOrders(plan, evaluator, observer));
    return observer.finishAfterRun(status, options, batters, plan, jobs);
}

}  // namespace diz::cli
