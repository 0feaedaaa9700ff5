// What the exact evaluation of a batting order yields.
#pragma once

#include <array>

#include "diz/lineup.h"

namespace diz::exact {

// The exact counterparts of what `trial` estimates.
struct ExactFigures {
    double meanRuns = 0.0;                         // expected runs per game
    double sdRuns = 0.0;                           // standard deviation of runs per game
    std::array<double, kInnings> inningRuns{};     // expected runs of innings 1..9
    std::array<double, kInnings> inningScoring{};  // P(at least one run), innings 1..9
};

}  // namespace diz::exact
