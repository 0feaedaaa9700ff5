// The situations of each outs level arranged for the solve round the batting
// cycle (cycle_solver.h). A plate appearance that is not an out leaves its
// batter on base, one place behind everybody else, or clears the bases with a
// home run, so only some of a level's situations can follow one: these
// targets come first (0 .. targets - 1) and every move leads to one of them.
// The situations that only an out leads to come after. Level 0's situation 0
// is the empty bases, where every inning starts.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "diz/lineup.h"
#include "exact/base_states.h"

namespace diz::exact {

// A move of a non-out plate appearance as the solve follows it: which of the
// level's moves it is (for its chance) and the situation it leads to.
struct CycleLink {
    std::uint16_t move;    // index into CycleLevel::moves
    std::uint16_t target;  // situation in the level's order, < targets
};

struct CycleLevel {
    int situations = 0;
    int targets = 0;
    // The targets rounded up to whole blocks of kColumnBlock, the row length
    // of the solve's matrices.
    int paddedTargets = 0;
    // The level's moves, those of situation s at [linkStart[s], linkStart[s + 1])
    // of `links`; a move's `target` is in the level's order here too.
    std::vector<Move> moves;
    std::vector<CycleLink> links;
    std::vector<std::uint16_t> linkStart;
    // The same for the moves that score no run (the chance of a scoreless
    // inning follows only those). Such a move puts one more runner on base,
    // so at most three come in a row: going round the order on them alone
    // always ends, and their cycle's matrix is zero.
    std::vector<CycleLink> scorelessLinks;
    std::vector<std::uint16_t> scorelessStart;
    // Per situation, the situation of the next level an out leads to (levels
    // 0 and 1 only).
    std::vector<std::uint16_t> outTarget;
};

inline constexpr int kColumnBlock = 4;

struct CycleShape {
    std::array<CycleLevel, kOutsPerInning> levels;
    int maxDistance = 0;
    // The largest of each size over the levels, for scratch memory.
    int maxSituations = 0;
    int maxMoves = 0;
    int maxPaddedTargets = 0;
    int totalSituations = 0;
};

// Built once on first use from baseStates(); read-only afterwards and safe to
// share between threads.
const CycleShape& cycleShape();

}  // namespace diz::exact
