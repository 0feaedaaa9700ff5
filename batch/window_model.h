// The values the window edits and the actions work on. The window owns one
// model and copies its controls into it before every action.
#pragma once

#include <array>
#include <string>

#include "batch/batter_table.h"
#include "batch/orders.h"
#include "batch/run_pipeline.h"

namespace diz {

inline constexpr int kStatusMaxBytes = 255;

struct WindowModel {
    BatterTable batters{};
    GamesPerOrder gamesPerOrder = 140;  // kGamesPerOrderMin..kGamesPerOrderMax
    Patterns patterns = kDefaultPatterns;
    ReportOptions report{};
    std::string statusText;  // UTF-8, at most kStatusMaxBytes bytes
    // The players' names of the nine rows when a lineup of a roster was put
    // into them (the ranking window shows them); empty after a Load.
    std::array<std::string, kLineupSize> batterNames{};
};

}  // namespace diz
