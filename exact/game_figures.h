// A game's figures from the half-inning figures of an order: nine innings
// chained through the leadoff, the first led off by a given batting position.
#pragma once

#include <array>

#include "diz/exact/exact_figures.h"
#include "diz/lineup.h"
#include "exact/half_inning.h"

namespace diz::exact {

// Game figures for each of the nine rotations of the order the table was
// solved for: entry k is the order that starts with batting position k
// (rotation 0 is the order itself). The rotations share the table, since an
// inning led off by a given batter is the same inning in all of them.
std::array<ExactFigures, kLineupSize> rotationFigures(const HalfInningTable& table);

// The figures of rotation `leadoff` alone.
ExactFigures gameFigures(const HalfInningTable& table, int leadoff);

}  // namespace diz::exact
