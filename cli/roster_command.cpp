#include "cli/roster_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "batch/atomic_save.h"
#include "batch/field_text.h"
#include "batch/messages.h"
#include "batch/text_io.h"
#include "cli/cli_common.h"

namespace diz::cli {
namespace {

constexpr const char* kRateNames[3] = {"1B 1to3", "1B 2to4", "2B 1to4"};

// "A,B,C": three numbers from 0 to 1.
std::string parseRates(const std::string& text, RunningRates* rates) {
    RunningRates parsed{};
    std::size_t start = 0;
    for (int r = 0; r < 3; ++r) {
        const std::size_t comma = r < 2 ? text.find(',', start) : text.size();
        if (comma == std::string::npos || (r == 2 && text.find(',', start) != std::string::npos)) {
            return "three rates, comma separated (1B 1to3, 1B 2to4, 2B 1to4): '" + text + "'";
        }
        const auto value = parseNumber(std::string_view(text).substr(start, comma - start));
        if (!value || *value < 0.0 || *value > 1.0) {
            return "a rate is a number from 0 to 1: '" + text + "'";
        }
        parsed[static_cast<std::size_t>(r)] = *value;
        start = comma + 1;
    }
    if (rates != nullptr) *rates = parsed;
    return {};
}

}  // namespace

RunningRates ratesFrom(const std::string& text) {
    RunningRates rates = kDefaultRunningRates;
    if (!text.empty()) parseRates(text, &rates);
    return rates;
}

void addRatesOption(CLI::App& sub, std::string& rates) {
    sub.add_option(
           "--rates", rates,
           "The base-running rates 1B 1to3, 1B 2to4, 2B 1to4 (0 to 1, comma separated) for "
           "a roster without those columns or with an empty cell (default 0.27,0.56,0.38, the "
           "example batters' medians)")
        ->type_name("A,B,C")
        ->check(CLI::Validator([](std::string& text) { return parseRates(text, nullptr); }, ""));
}

std::optional<Roster> loadRoster(const std::string& path, const RunningRates& defaults) {
    RosterProblem problem;
    std::optional<Roster> roster = readRosterFile(utf8Path(path), defaults, problem);
    if (!roster) {
        if (problem.line == 0 && problem.reason == msg::kRosterLoadFailed) {
            std::fprintf(stderr, "%s%s\n", problem.reason.c_str(), path.c_str());
        } else {
            std::fprintf(stderr, "%s\n", problem.text(path).c_str());
        }
        return std::nullopt;
    }
    if (roster->codePage932) {
        std::fprintf(stderr, "note: %s is not UTF-8; it was read as code page 932 (Shift_JIS)\n",
                     path.c_str());
    }
    if (!roster->ignoredColumns.empty()) {
        std::string list;
        for (const std::string& heading : roster->ignoredColumns) {
            if (!list.empty()) list += ", ";
            list += heading;
        }
        std::fprintf(stderr, "note: columns ignored: %s\n", list.c_str());
    }
    for (int r = 0; r < 3; ++r) {
        if (roster->rateDefaulted[static_cast<std::size_t>(r)]) {
            std::fprintf(stderr, "note: no %s column; every player takes %s (see --rates)\n",
                         kRateNames[r],
                         formatNumber(defaults[static_cast<std::size_t>(r)]).c_str());
        }
    }
    if (roster->emptyRateCells > 0) {
        std::fprintf(stderr, "note: %d empty rate cells take the defaults (see --rates)\n",
                     roster->emptyRateCells);
    }
    return roster;
}

bool loadRosterLineup(const std::string& path, const std::vector<std::string>& players,
                      const RunningRates& defaults, BatterTable& table,
                      std::vector<std::string>& names) {
    std::vector<std::string> given = players;
    if (given.size() == 1) {
        given.clear();
        std::size_t start = 0;
        for (std::size_t comma; (comma = players[0].find(',', start)) != std::string::npos;
             start = comma + 1) {
            given.push_back(players[0].substr(start, comma - start));
        }
        given.push_back(players[0].substr(start));
    }
    if (given.size() != static_cast<std::size_t>(kLineupSize)) {
        std::fprintf(stderr, "--players names nine players, not %zu\n", given.size());
        return false;
    }
    const std::optional<Roster> roster = loadRoster(path, defaults);
    if (!roster) return false;
    names.clear();
    for (int row = 0; row < kLineupSize; ++row) {
        const std::string& name = given[static_cast<std::size_t>(row)];
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            std::fprintf(stderr, "--players names '%s' twice\n", name.c_str());
            return false;
        }
        const auto found = std::find_if(roster->players.begin(), roster->players.end(),
                                        [&](const RosterPlayer& p) { return p.name == name; });
        if (found == roster->players.end()) {
            std::fprintf(stderr, "%s: no player named '%s' in the roster\n", path.c_str(),
                         name.c_str());
            return false;
        }
        table[static_cast<std::size_t>(row)] = found->batter;
        names.push_back(name);
    }
    return true;
}

void addRosterCommand(CLI::App& app) {
    auto options = std::make_shared<RosterOptions>();
    CLI::App* sub =
        app.add_subcommand("roster", "Write the nine batters of a batter file as a roster CSV");
    sub->add_option("--batters", options->batters, "Batter file, as run and exact read it")
        ->type_name("FILE")
        ->required()
        ->check(CLI::ExistingFile.description(""));
    sub->add_flag("--lenient", options->lenient, "Read the batter file as the window's Load does");
    sub->add_option("--output", options->output, "The roster CSV to write")
        ->type_name("FILE")
        ->required();
    sub->add_option("--names", options->names,
                    "Nine names for batters a..i, comma separated (default 打者A..打者I)")
        ->type_name("LIST")
        ->delimiter(',')
        ->expected(kLineupSize);
    sub->callback([options]() { finish(runGuarded([&] { return rosterCommand(*options); })); });
}

int rosterCommand(const RosterOptions& options) {
    BatterTable batters{};
    if (!loadBatters(options.batters, batters, options.lenient)) return kUsageError;
    const std::vector<std::string> names =
        options.names.empty() ? defaultBatterNames() : options.names;
    const std::vector<RosterPlayer> players = rosterFromBatters(batters, names);
    // The roster must read back as it is written: refused here, not later.
    const std::string text = formatRoster(players);
    RosterProblem problem;
    if (!parseRoster(text, kDefaultRunningRates, problem)) {
        std::fprintf(stderr, "diz-cli roster: %s\n", problem.reason.c_str());
        return kUsageError;
    }
    if (sameFile(options.output, options.batters)) {
        std::fprintf(stderr, "%s\n",
                     messageWithName(msg::kOutputIsBatterFile, options.output).c_str());
        return kRunFailed;
    }
    if (saveAtomically(utf8Path(options.output), text) != SaveResult::Saved) {
        std::fprintf(stderr, "%s\n",
                     messageWithName(msg::kOutputOpenFailed, options.output).c_str());
        return kRunFailed;
    }
    return kSuccess;
}

}  // namespace diz::cli
