#include "cli/lineup_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <thread>

#include "batch/atomic_save.h"
#include "batch/lineup_search.h"
#include "batch/messages.h"
#include "batch/run_pipeline.h"
#include "batch/text_io.h"
#include "cli/cli_common.h"
#include "cli/console_observer.h"
#include "cli/roster_command.h"

namespace diz::cli {
namespace {

// The games the best lineup's standard error is for, as `exact` defaults to.
constexpr int kGames = 140;

// "K=NAME" with K one digit 1..9.
std::string checkSlot(const std::string& text) {
    if (text.size() < 3 || text[0] < '1' || text[0] > '9' || text[1] != '=') {
        return "a slot is K=NAME, K a batting slot 1 to 9: '" + text + "'";
    }
    return {};
}

std::string summary(const LineupSearchResult& result, bool exhaustive) {
    std::string text = std::to_string(result.choices) + " choices of nine, ";
    if (exhaustive || result.ranked == result.choices) {
        text += std::to_string(result.ranked) + " of them with every order evaluated";
    } else {
        text += "each screened by a local search over its orders; " +
                std::to_string(result.ranked) + " of them then had every order evaluated";
    }
    text += " (" + std::to_string(result.orders) + " orders)\n";
    return text;
}

std::string ranking(const std::vector<RosterPlayer>& players, const LineupSearchResult& result) {
    std::string out = "Top " + std::to_string(result.best.size()) +
                      " lineups by expected runs per game (gap to the best):\n";
    for (std::size_t i = 0; i < result.best.size(); ++i) {
        const Lineup& lineup = result.best[i];
        const std::string number = std::to_string(i + 1);
        out.append(number.size() < 4 ? 4 - number.size() : 0, ' ');
        out += number;
        out += ' ';
        appendFixed(out, lineup.meanRuns, 6);
        out += ' ';
        appendFixed(out, lineup.meanRuns - result.best.front().meanRuns, 6);
        out += "  ";
        out += lineupNames(players, lineup);
        out += '\n';
    }
    return out;
}

// The best lineup's nine players as batters a..i and its line as `exact
// --report mean,se,inning-runs,inning-prob` writes it for the order abcdefghi.
std::string bestFigures(const std::vector<RosterPlayer>& players, const Lineup& best) {
    const BattingOrder order{0, 1, 2, 3, 4, 5, 6, 7, 8};
    const TrialResult figures = lineupFigures(players, best, kGames);
    std::string out =
        "The best lineup as batters a..i (expected runs, standard error for 140 games, runs "
        "and chance of scoring by inning, as diz-cli exact reports them):\n";
    for (int k = 0; k < kLineupSize; ++k) {
        out += "  ";
        out += static_cast<char>('a' + k);
        out += ' ';
        out += players[static_cast<std::size_t>(best.players[static_cast<std::size_t>(k)])].name;
        out += '\n';
    }
    std::string line;
    composeResultLine(line, order, ReportOptions{true, true, true, true}, figures);
    out += line;
    out += '\n';
    return out;
}

void printOut(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

void addLineupCommand(CLI::App& app) {
    auto options = std::make_shared<LineupOptions>();
    CLI::App* sub = app.add_subcommand(
        "lineup", "The best lineups of a roster: nine players and their batting order");
    sub->add_option("--roster", options->roster,
                    "Roster CSV: a header row (name, AB, H or 1B, 2B, 3B, HR, BB, optional "
                    "HBP and the three rates; English or Japanese), then a row per player, "
                    "up to 40")
        ->type_name("FILE")
        ->required()
        ->check(CLI::ExistingFile.description(""));
    sub->add_option("--play", options->play, "A player who must play (repeatable)")
        ->type_name("NAME")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    sub->add_option("--bench", options->bench, "A player who must not play (repeatable)")
        ->type_name("NAME")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    sub->add_option("--slot", options->slots,
                    "K=NAME: the player batting K-th, K 1 to 9 (repeatable; 9=NAME for the "
                    "pitcher)")
        ->type_name("K=NAME")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(checkSlot, ""));
    sub->add_option("--top", options->top, "How many lineups to list, 1 to 1000")
        ->type_name("K")
        ->capture_default_str()
        ->check(CLI::Range(1, 1000).description(""));
    sub->add_option("--jobs", options->jobs, "Worker threads, 0 to 1024 (0: one per core)")
        ->type_name("J")
        ->capture_default_str()
        ->check(CLI::Range(0, 1024).description(""));
    sub->add_flag("--exhaustive", options->exhaustive,
                  "Evaluate every order of every allowed choice of nine (otherwise every choice "
                  "is screened and only the most promising have every order evaluated)");
    sub->add_option("--output", options->output,
                    "Also write the listed lineups to this CSV file (UTF-8, CR LF)")
        ->type_name("FILE");
    addRatesOption(*sub, options->rates);
    sub->callback([options]() { finish(runGuarded([&] { return lineupCommand(*options); })); });
}

int lineupCommand(const LineupOptions& options) {
    const std::optional<Roster> roster = loadRoster(options.roster, ratesFrom(options.rates));
    if (!roster) return kUsageError;
    if (roster->players.size() < static_cast<std::size_t>(kLineupSize)) {
        std::fprintf(stderr, "%s: a lineup needs nine players; the roster has %zu\n",
                     options.roster.c_str(), roster->players.size());
        return kUsageError;
    }
    std::vector<SlotRequest> slots;
    for (const std::string& text : options.slots) slots.push_back({text[0] - '0', text.substr(2)});
    LineupConstraints constraints;
    if (const auto problem =
            resolveConstraints(*roster, options.play, options.bench, slots, constraints)) {
        std::fprintf(stderr, "diz-cli lineup: %s\n", problem->c_str());
        return kUsageError;
    }
    const std::uint64_t choices = countChoices(roster->players.size(), constraints);
    if (choices > kLineupChoicesMax) {
        std::fprintf(stderr,
                     "diz-cli lineup: %llu choices of nine players are too many to search (at "
                     "most %llu); name players with --play or --bench\n",
                     static_cast<unsigned long long>(choices),
                     static_cast<unsigned long long>(kLineupChoicesMax));
        return kUsageError;
    }
    if (!options.output.empty() && sameFile(options.output, options.roster)) {
        std::fprintf(stderr, "%s\n",
                     messageWithName("出力とロスターが同じファイルです：", options.output).c_str());
        return kRunFailed;
    }

    int jobs = options.jobs;
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    if (cores > 0 && jobs > cores) {
        std::fprintf(stderr,
                     "note: --jobs %d is more than the %d threads this machine runs at once; "
                     "using %d\n",
                     jobs, cores, cores);
        jobs = cores;
    }
    const std::atomic<bool>& stop = stopOnSignals();
    const std::optional<std::uint64_t> total =
        options.exhaustive ? std::optional(choices * ordersPerChoice(constraints)) : std::nullopt;
    ProgressLine progress(total, 0, isTerminal(stderr));
    LineupSearchOptions search;
    search.top = static_cast<std::size_t>(options.top);
    search.jobs = jobs;
    search.exhaustive = options.exhaustive;
    search.stop = &stop;
    search.progress = [&progress](std::uint64_t done) { progress.update(done); };
    const LineupSearchResult result = searchLineups(roster->players, constraints, search);
    progress.hide();

    if (result.best.empty()) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(msg::kNothingSelected.size()),
                     msg::kNothingSelected.data());
        return result.interrupted ? exitStatus(RunOutcome::Interrupted) : kRunFailed;
    }
    printOut(summary(result, options.exhaustive));
    printOut(ranking(roster->players, result));
    printOut(bestFigures(roster->players, result.best.front()));
    if (result.capped) {
        std::fprintf(stderr,
                     "note: some lineups can hardly make an out; their innings were followed "
                     "up to the engine's cap of %d plate appearances\n",
                     result.cap);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "%s標準出力\n", std::string(msg::kOutputWriteFailed).c_str());
        return kRunFailed;
    }
    if (!options.output.empty() &&
        saveAtomically(utf8Path(options.output), lineupCsv(roster->players, result.best)) !=
            SaveResult::Saved) {
        std::fprintf(stderr, "%s\n",
                     messageWithName(msg::kOutputOpenFailed, options.output).c_str());
        return kRunFailed;
    }
    if (result.interrupted) {
        std::fprintf(stderr, "interrupted: the best lineups found so far (%llu choices ranked)\n",
                     static_cast<unsigned long long>(result.ranked));
        return exitStatus(RunOutcome::Interrupted);
    }
    if (!options.output.empty()) {
        std::fprintf(stderr, "%s%s\n", std::string(msg::kNormalEnd).c_str(),
                     options.output.c_str());
    }
    return kSuccess;
}

}  // namespace diz::cli
