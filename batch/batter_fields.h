// The nine fields of a batter row, described once: the heading the grid
// shows above each column, the BatterEntry member it holds and, for the
// counts, the range the window accepts. The windows build and read their
// grids by walking this table, the batter file is written, read and checked
// with it, and diz-cli names a field in its messages by its heading.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "batch/batter_table.h"

namespace diz {

inline constexpr int32_t kAtBatsMin = 1;
inline constexpr int32_t kAtBatsMax = 100000;
inline constexpr int32_t kCountMin = 0;
inline constexpr int32_t kCountMax = 99999;

// A whole-number field (count) with its inclusive range, or a rate field,
// which takes any finite number.
struct BatterField {
    std::string_view heading;  // UTF-8, as the grid's column heading
    int32_t BatterEntry::*count = nullptr;
    double BatterEntry::*rate = nullptr;
    int32_t min = 0;
    int32_t max = 0;

    constexpr bool isCount() const { return count != nullptr; }
    // Takes the parsed text's 64-bit value, so that a number too large for
    // the member is out of range rather than cut down.
    constexpr bool contains(long long value) const { return value >= min && value <= max; }
};

inline constexpr int kBatterFieldCount = 9;
inline constexpr int kCountFieldCount = 6;

// In the batter file's order, which is also the grid's from left to right:
// the six counts, then the three rates.
inline constexpr std::array<BatterField, kBatterFieldCount> kBatterFields{{
    {"打数", &BatterEntry::atBats, nullptr, kAtBatsMin, kAtBatsMax},
    {"1B", &BatterEntry::singles, nullptr, kCountMin, kCountMax},
    {"2B", &BatterEntry::doubles, nullptr, kCountMin, kCountMax},
    {"3B", &BatterEntry::triples, nullptr, kCountMin, kCountMax},
    {"HR", &BatterEntry::homeRuns, nullptr, kCountMin, kCountMax},
    {"BB", &BatterEntry::walks, nullptr, kCountMin, kCountMax},
    {"1B 1to3", nullptr, &BatterEntry::rate1B1to3},
    {"1B 2to4", nullptr, &BatterEntry::rate1B2to4},
    {"2B 1to4", nullptr, &BatterEntry::rate2B1to4},
}};

// The order in which a window reads a row's counts (indices into
// kBatterFields): BB before HR, although HR stands to its left in the grid.
// The rates come after every row's counts and the games per order.
inline constexpr std::array<int, kCountFieldCount> kCountReadingOrder{0, 1, 2, 3, 5, 4};
inline constexpr std::array<int, kBatterFieldCount - kCountFieldCount> kRateFieldIndices{6, 7, 8};

}  // namespace diz
