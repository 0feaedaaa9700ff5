#include "exact_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <string_view>
#include <system_error>

#include "batter_data.h"
#include "exact_evaluator.h"
#include "lineup.h"
#include "run_command.h"
#include "simulation_run.h"
#include "text_io.h"
#include "window_model.h"

namespace diz::cli {
namespace {

constexpr int kFileError = 1;
constexpr int kUsageError = 2;

// The selected orders: the nine letters as the result lines echo them, and
// the orders themselves.
struct Selection {
    std::vector<std::string> texts;
    std::vector<BattingOrder> orders;
};

BattingOrder toExactOrder(const BattingOrder& rows) {
    BattingOrder order{};
    std::copy(rows.begin(), rows.end(), order.begin());
    return order;
}

Selection everyOrdering(const Patterns& patterns, bool filter) {
    Selection s;
    for (const BattingOrder& order : exact::allOrders()) {
        std::string text = exact::orderText(order);
        if (filter && !selectOrder(text, patterns)) continue;
        s.texts.push_back(std::move(text));
        s.orders.push_back(order);
    }
    return s;
}

Selection selectedLines(std::istream& in, const Patterns& patterns) {
    Selection s;
    forEachSelectedOrder(in, patterns, [&s](std::string_view line, const BattingOrder& rows) {
        s.texts.emplace_back(line.substr(0, kLineupLength));
        s.orders.push_back(toExactOrder(rows));
    });
    return s;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// "   1 abcdefghi 6.676773 0.000000": rank, order, expected runs, and the gap
// to the best order (negative below it).
std::string ranking(const Selection& s, const std::vector<exact::ExactFigures>& figures, int top) {
    std::vector<std::size_t> rank(figures.size());
    std::iota(rank.begin(), rank.end(), std::size_t{0});
    const std::size_t shown = std::min(rank.size(), static_cast<std::size_t>(top));
    // Best first; equal expectations keep the order of selection.
    std::partial_sort(rank.begin(), rank.begin() + static_cast<std::ptrdiff_t>(shown), rank.end(),
                      [&figures](std::size_t a, std::size_t b) {
                          if (figures[a].meanRuns != figures[b].meanRuns) {
                              return figures[a].meanRuns > figures[b].meanRuns;
                          }
                          return a < b;
                      });
    std::string out = "Top " + std::to_string(shown) + " of " + std::to_string(figures.size()) +
                      " orders by expected runs per game (gap to the best):\n";
    for (std::size_t i = 0; i < shown; ++i) {
        const std::string number = std::to_string(i + 1);
        out.append(number.size() < 4 ? 4 - number.size() : 0, ' ');
        out += number;
        out += ' ';
        out += s.texts[rank[i]];
        out += ' ';
        appendFixed(out, figures[rank[i]].meanRuns, 6);
        out += ' ';
        appendFixed(out, figures[rank[i]].meanRuns - figures[rank[0]].meanRuns, 6);
        out += '\n';
    }
    return out;
}

// A message with a file name on standard error, as a run reports it.
void tell(std::string_view message, const std::string& name) {
    std::fprintf(stderr, "%s\n", messageWithName(message, name).c_str());
}

void writeAll(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

void setup_exact(CLI::App& app) {
    auto options = std::make_shared<ExactOptions>();
    CLI::App* sub = app.add_subcommand(
        "exact", "Exact expected runs of the selected orders from the game's Markov chain");
    addSharedOptions(*sub, options->batters, options->orders, options->patterns, options->report,
                     options->output);
    sub->add_flag("--all", options->all,
                  "Every ordering of the nine batters instead of the order file "
                  "(patterns, if any, filter them)");
    sub->add_option("--games", options->games,
                    "Games per order for the standard error (sd / sqrt(games))")
        ->capture_default_str()
        ->check(CLI::Range(int64_t{kGamesPerOrderMin}, int64_t{kGamesPerOrderMax}));
    sub->add_option("--top", options->top, "Orders to rank by expected runs (0: no ranking)")
        ->capture_default_str()
        ->check(CLI::Range(0, 362880));
    sub->add_option("--jobs", options->jobs, "Worker threads (0: one per core)")
        ->capture_default_str()
        ->check(CLI::Range(0, 1024));
    sub->add_flag("--quiet", options->quiet, "Leave the result lines off standard output");
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        if (const int status = run_exact(*options); status != 0) throw CLI::RuntimeError(status);
    });
}

int run_exact(const ExactOptions& options) {
    BatterTable table;
    if (!loadBatters(options.batters, table)) return kUsageError;
    const Patterns patterns = patternsFrom(options.patterns);
    ReportOptions report;
    parseReport(options.report, &report);

    // The same files and messages as a run: the result file is opened (and
    // emptied) first, never when it is the order file itself.
    const std::filesystem::path resultPath = utf8Path(options.output);
    const std::filesystem::path orderPath = utf8Path(options.orders);
    if (!options.all && sameFile(resultPath, orderPath)) {
        tell("出力とORDERが同じファイルです：", options.output);
        return kFileError;
    }
    std::ofstream result;
    if (!options.output.empty()) result.open(resultPath, std::ios::binary | std::ios::trunc);
    if (!result.is_open()) {
        tell("出力が開けません：", options.output);
        return kFileError;
    }
    Selection selection;
    if (options.all) {
        selection = everyOrdering(patterns, !options.patterns.empty());
    } else {
        std::ifstream in(orderPath, std::ios::binary);
        if (!in.is_open()) {
            tell("ORDERが開けません：", options.orders);
            return kFileError;
        }
        selection = selectedLines(in, patterns);
    }

    const exact::Batters batters = buildRecords(table);
    const exact::ExactEvaluator checker(batters);
    if (std::any_of(selection.orders.begin(), selection.orders.end(),
                    [&checker](const BattingOrder& o) { return checker.needsCap(o); })) {
        std::fprintf(stderr,
                     "note: these batters can hardly make an out; their innings are followed up "
                     "to the engine's cap of %d plate appearances, which takes about 20 ms per "
                     "order and its rotations\n",
                     exact::kPlateAppearanceCap);
    }
    const std::vector<exact::ExactFigures> figures =
        exact::evaluateOrders(batters, selection.orders, {options.jobs, true});

    // One result line per order, in selection order.
    const double rootGames = std::sqrt(static_cast<double>(options.games));
    std::string fileText;
    std::string logText;
    std::string line;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const exact::ExactFigures& f = figures[i];
        TrialResult r;
        r.meanRuns = f.meanRuns;
        r.standardError = f.sdRuns / rootGames;  // what that many games would show
        r.inningRuns = f.inningRuns;
        r.inningScoring = f.inningScoring;
        composeResultLine(line, selection.texts[i], report, r);
        fileText += line;
        fileText += "\r\n";
        if (!options.quiet) {
            logText += line;
            logText += '\n';
        }
        if (fileText.size() > (1u << 20)) {
            result.write(fileText.data(), static_cast<std::streamsize>(fileText.size()));
            fileText.clear();
            writeAll(stdout, logText);
            logText.clear();
        }
    }
    result.write(fileText.data(), static_cast<std::streamsize>(fileText.size()));
    writeAll(stdout, logText);
    if (options.top > 0 && !figures.empty()) {
        writeAll(stdout, ranking(selection, figures, options.top));
    }
    std::fflush(stdout);

    result.close();
    if (!result) {
        tell("出力が開けません：", options.output);
        return kFileError;
    }
    tell("正常に終了しました。\n出力：", options.output);
    return 0;
}

}  // namespace diz::cli
