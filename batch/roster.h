// A team: up to kRosterMaxPlayers named players with the counts and rates
// of a batter row, read from a CSV file that a spreadsheet saves and written
// back as one. The nine rows of the batter file are nine players of it; a
// search over the roster (batch/lineup_search.h) picks nine and their order.
//
// The CSV: commas between fields, fields in double quotes when they hold a
// comma or a quote ("Smith, J", a quote doubled), UTF-8 with or without a
// byte-order mark, or else code page 932 as Japanese spreadsheets save it.
// The first row heads the columns, in any order, in English or Japanese and
// in any case (see rosterColumnOf). Every later row that is not blank is a
// player. Hit-by-pitches count as walks: the game knows no other way on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batter_fields.h"
#include "batch/batter_table.h"

namespace diz {

inline constexpr int kRosterMaxPlayers = 40;
// A name is at most this many bytes of UTF-8.
inline constexpr std::size_t kRosterNameMaxBytes = 64;
// 40 players are a few kilobytes; anything much larger is no roster.
inline constexpr std::size_t kRosterFileMaxBytes = 1 << 20;

// The three base-running rates in the batter row's order: 1B 1to3, 1B 2to4,
// 2B 1to4.
using RunningRates = std::array<double, 3>;
// What a roster without rate columns takes (and a player whose rate cell is
// empty): the medians of the example batters' rates, rounded to hundredths.
inline constexpr RunningRates kDefaultRunningRates{0.27, 0.56, 0.38};

// The columns a roster's header can name.
enum class RosterColumn {
    Name,
    AtBats,
    Hits,  // all hits; singles are hits less 2B, 3B and HR
    Singles,
    Doubles,
    Triples,
    HomeRuns,
    Walks,
    HitByPitch,  // added to the walks
    Rate1B1to3,
    Rate1B2to4,
    Rate2B1to4,
};

// The column a heading names, or nothing for a heading DIZ does not know.
// Compared without case, blanks, '_' or '-', full-width forms as their ASCII
// characters, "->" as "→": "name", "名前", "選手名"; "AB", "打数"; "H",
// "安打"; "1B", "単打"; "2B", "二塁打"; "3B", "三塁打"; "HR", "本塁打";
// "BB", "四球"; "HBP", "死球"; "1B 1to3", "一塁→三塁"; "1B 2to4",
// "二塁→本塁"; "2B 1to4", "一塁→本塁" (and a few more spellings of each).
std::optional<RosterColumn> rosterColumnOf(std::string_view heading);

struct RosterPlayer {
    std::string name;  // UTF-8, unique in its roster
    BatterEntry batter;
};

struct Roster {
    std::vector<RosterPlayer> players;
    // Headings of the columns that were ignored, in file order.
    std::vector<std::string> ignoredColumns;
    // The rates with no column, which every player took from the defaults.
    std::array<bool, 3> rateDefaulted{};
    // Rate cells left empty, which took the default.
    int emptyRateCells = 0;
    bool codePage932 = false;  // the file was not UTF-8
};

// Why a roster file was refused: where (line and column from 1; column 0
// for the whole line or file, line 0 for the whole file) and the reason
// (UTF-8, from batch/messages.h).
struct RosterProblem {
    int line = 0;
    int column = 0;
    std::string reason;

    // "roster.csv:4:3: 打数「abc」は整数ではありません", as diz-cli prints it.
    std::string text(std::string_view fileName) const;
};

// Reads a roster from the whole content of its file. `defaults` fill the
// rates that have no column or an empty cell. Refuses, with the first
// problem, a header without a name, at-bats, hits (H or 1B), 2B, 3B, HR or
// BB column, a column named twice, a row whose cells don't match the header,
// a count that is no integer or lies outside the batter grid's range
// (batch/batter_fields.h), hits above the at-bats, singles below zero, a rate
// outside 0..1, an empty or too long or repeated name, more than
// kRosterMaxPlayers players, no player at all, bad quoting and bytes that are
// neither UTF-8 nor code page 932.
std::optional<Roster> parseRoster(std::string_view bytes, const RunningRates& defaults,
                                  RosterProblem& problem);

// The same from the file at `path` (at most kRosterFileMaxBytes).
std::optional<Roster> readRosterFile(const std::filesystem::path& path,
                                     const RunningRates& defaults, RosterProblem& problem);

// What reading a roster left to tell: "名簿を読み込みました：13 人", then a
// line for a file read as code page 932, the ignored columns, each rate
// column that was missing (with the value every player took from
// `defaults`) and the empty rate cells.
std::string rosterLoadedText(const Roster& roster, const RunningRates& defaults);

// The CSV of `players`: UTF-8 with a byte-order mark, CR LF, the English
// header (name,AB,1B,2B,3B,HR,BB,1B 1to3,1B 2to4,2B 1to4), rates as the
// shortest text that reads back the same. parseRoster reads it back to the
// same players.
std::string formatRoster(std::span<const RosterPlayer> players);

// The nine rows of a batter table as players named `names` (nine of them).
std::vector<RosterPlayer> rosterFromBatters(const BatterTable& table,
                                            std::span<const std::string> names);

// The default names of the nine rows: "打者A" .. "打者I".
std::vector<std::string> defaultBatterNames();

// The roster window's table, the same in every front-end: the name, then the
// batter row's nine fields (batch/batter_fields.h).
inline constexpr int kRosterTableColumns = 1 + kBatterFieldCount;
// "名前", then the batter grid's headings.
std::string_view rosterTableHeading(int column);
// A cell as the table shows it and setRosterCell reads it back: the name, a
// count as an integer, a rate as the shortest text that reads back the same.
std::string rosterCellText(const RosterPlayer& player, int column);
// Puts the text a user typed into cell `column` of players[row], or tells
// why not (the player then stays as he was): an empty, too long or repeated
// name; a count that is no integer or lies outside the batter grid's range,
// or hits above the at-bats; a rate that is no number or lies outside 0..1.
std::optional<std::string> setRosterCell(std::vector<RosterPlayer>& players, std::size_t row,
                                         int column, std::string_view text);
// The players' indices sorted by `column`, ascending or not: names by their
// bytes, figures by value, ties in roster order in both directions.
std::vector<std::uint32_t> sortRoster(std::span<const RosterPlayer> players, int column,
                                      bool ascending);

// A CSV field: as it is, or in double quotes (quotes doubled) when it holds a
// comma, a quote, a line end or blanks at either end.
std::string csvField(std::string_view text);

}  // namespace diz
