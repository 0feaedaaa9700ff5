// The game's fixed sizes and the batting order, as every layer above the
// engine names them. Header only: the library `core` exports none of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace diz {

// Batters in a batting order, and rows in the batter table ('a'..'i').
inline constexpr int kLineupSize = 9;
inline constexpr int kInnings = 9;
inline constexpr int kOutsPerInning = 3;
// Orderings of nine different batters: 9!.
inline constexpr int kOrderings = 362880;
// Sets of nine orderings that are rotations of one another: 8!.
inline constexpr int kRotationSets = kOrderings / kLineupSize;

// Batting positions 1..9 as batter rows 0..8 (batter 'a' is 0). A batter may
// appear more than once.
using BattingOrder = std::array<std::uint8_t, kLineupSize>;

// Appends the order's nine letters: "abcdefghi" for {0, 1, ..., 8}.
inline void appendOrderText(std::string& out, const BattingOrder& order) {
    for (const std::uint8_t batter : order) out += static_cast<char>('a' + batter);
}

// The order's nine letters.
inline std::string orderText(const BattingOrder& order) {
    std::string text;
    appendOrderText(text, order);
    return text;
}

}  // namespace diz
