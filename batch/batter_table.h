// The nine batters as the user enters them, and their conversions into the
// engine's records and the log's summary lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "diz/core.h"
#include "diz/lineup.h"

namespace diz {

// One row of the batter grid, fields in the order of the batter data file.
// Ranges (at-bats 1..100000, other counts 0..99999) are enforced only where the
// window or the CLI takes values in; a loaded file may bring in anything.
struct BatterEntry {
    int32_t atBats = 1;
    int32_t singles = 0;
    int32_t doubles = 0;
    int32_t triples = 0;
    int32_t homeRuns = 0;
    int32_t walks = 0;
    double rate1B1to3 = 0.0;
    double rate1B2to4 = 0.0;
    double rate2B1to4 = 0.0;
};

// Rows 0..8: batters 'a'..'i', shown as 'A'..'I'.
using BatterTable = std::array<BatterEntry, kLineupSize>;
// The engine's records of the nine rows, in row order.
using BatterRecords = std::array<BatterRecord, kLineupSize>;

// The upper-case letter that names row `row` (0..8) on screen: 'A'..'I'.
constexpr char batterLetter(int row) { return static_cast<char>('A' + row); }

// The engine's record of row `row` (0..8): probabilities per plate
// appearance (at-bats + walks), rates copied, label 'a' + row.
BatterRecord toBatterRecord(const BatterEntry& entry, int row);

// "# 打者A\tAVE: 0.330   OBP: 0.404   SLG: 0.465   OPS: 0.869\n" (UTF-8)
// for row `row` (0..8).
std::string summaryLine(const BatterEntry& entry, int row);

// The nine summary lines in row order, as the log shows them before a run
// and after a Load.
std::string summaryLines(const BatterTable& table);

// The nine records, rows in order.
BatterRecords buildRecords(const BatterTable& table);

// Counts that cannot be, as "# 警告：…" lines in row order, each ending in
// '\n': hits (1B + 2B + 3B + HR) above the at-bats, which make a batter who
// hardly ever makes an out, and a rate below 0 or above 1. Empty when there
// is none. Such values are still run as they are (a stored file may hold
// them); a run tells them once, before its first order.
std::string batterWarningLines(const BatterTable& table);

}  // namespace diz
