// The values the window edits and the actions work on. The window owns one
// model and copies its controls into it before every action.
#pragma once

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
};

}  // namespace diz
