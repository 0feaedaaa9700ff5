// The fields of a batter row as the user enters them: the heading the grid
// shows above each column, the BatterEntry member it holds and, for the
// counts, the range the window accepts. The window reads its grid by walking
// these tables and diz-cli checks a loaded batter file with the same ones, so
// both name, order and bound the fields alike.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "batter_table.h"

namespace diz {

inline constexpr int32_t kAtBatsMin = 1;
inline constexpr int32_t kAtBatsMax = 100000;
inline constexpr int32_t kCountMin = 0;
inline constexpr int32_t kCountMax = 99999;

// A whole-number field and its inclusive range.
struct CountField {
    std::string_view heading;  // UTF-8, as the grid's column heading
    int32_t BatterEntry::*member;
    int32_t min;
    int32_t max;

    // Takes the parsed text's 64-bit value, so that a number too large for
    // the member is out of range rather than cut down.
    constexpr bool contains(long long value) const { return value >= min && value <= max; }
};

// A rate field: any finite number is accepted.
struct RateField {
    std::string_view heading;
    double BatterEntry::*member;
};

// The counts in the order the window reads a row: BB before HR, although HR
// stands to its left in the grid.
inline constexpr std::array<CountField, 6> kCountFields{{
    {"打数", &BatterEntry::atBats, kAtBatsMin, kAtBatsMax},
    {"1B", &BatterEntry::singles, kCountMin, kCountMax},
    {"2B", &BatterEntry::doubles, kCountMin, kCountMax},
    {"3B", &BatterEntry::triples, kCountMin, kCountMax},
    {"BB", &BatterEntry::walks, kCountMin, kCountMax},
    {"HR", &BatterEntry::homeRuns, kCountMin, kCountMax},
}};

// The rates, left to right. The window reads them after every row's counts
// and the games per order.
inline constexpr std::array<RateField, 3> kRateFields{{
    {"1B 1to3", &BatterEntry::rate1B1to3},
    {"1B 2to4", &BatterEntry::rate1B2to4},
    {"2B 1to4", &BatterEntry::rate2B1to4},
}};

}  // namespace diz
