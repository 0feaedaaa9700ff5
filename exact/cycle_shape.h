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

// What a move's chance is made of: its outcome and the factors of the
// advancement draws that decide it (factorIndex, 0 for none). Moves of many
// situations share a kind, so a lineup's chances are worked out per kind.
struct MoveKind {
    std::uint8_t outcome;
    std::uint8_t factorA;
    std::uint8_t factorB;
};

// A move of a non-out plate appearance as the solve follows it.
struct CycleLink {
    std::uint8_t kind;     // index into CycleShape::kinds
    std::uint8_t runs;     // 0..4
    std::uint16_t target;  // situation in the level's order, < targets
};

struct CycleLevel {
    int situations = 0;
    int targets = 0;
    // The targets rounded up to whole blocks of kColumnBlock, the row length
    // of the solve's matrices.
    int paddedTargets = 0;
    // The moves of situation s are links[linkStart[s] .. linkStart[s + 1]).
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
    std::vector<MoveKind> kinds;
    int maxDistance = 0;
    // The largest of each size over the levels, for scratch memory.
    int maxSituations = 0;
    int maxPaddedTargets = 0;
    int totalSituations = 0;
};

// Built once on first use from baseStates(); read-only afterwards and safe to
// share between threads.
const CycleShape& cycleShape();

}  // namespace diz::exact
