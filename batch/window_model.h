// The values the window edits and the batch actions work on. The window owns
// one model and copies its controls into it before every action.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "batter_table.h"
#include "lineup.h"

namespace diz {

inline constexpr int kStatusMaxBytes = 255;
inline constexpr int32_t kGamesPerOrderMin = 1;
inline constexpr int32_t kGamesPerOrderMax = 2147483647;

// Which figures a result line carries. The line's parts always come in this
// order, whatever order the user ticked them in.
struct ReportOptions {
    bool expectedRuns = true;    // mean runs per game
    bool standardError = true;   // standard error of that mean
    bool inningRuns = false;     // nine per-inning mean runs
    bool inningScoring = false;  // nine per-inning scoring shares
};

struct WindowModel {
    BatterTable batters{};
    int32_t gamesPerOrder = 140;  // 1..2147483647
    Patterns patterns{"abcdefghi", "", "", "", "", ""};
    ReportOptions report{};
    std::string statusText;  // UTF-8, at most kStatusMaxBytes bytes
};

}  // namespace diz
