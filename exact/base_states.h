// The shape of a half-inning, the same for every lineup. A runner is named by
// how many places before the batter up he batted (1..8), so a base situation
// reads the same whatever the batting position; with the outs (0..2) that
// gives 66 situations, 594 states with the batter up. Each situation lists
// the moves a non-out plate appearance can make: the outcome, the runs it
// scores, the situation it leads to (for the next batter) and which runners'
// advancement draws decide it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "diz/lineup.h"
#include "exact/quantised_batter.h"

namespace diz::exact {

inline constexpr int kMaxDistance = kLineupSize - 1;

// Who stands on first, second and third: 0 for an empty base, otherwise how
// many places before the batter up the runner batted.
using Bases = std::array<std::uint8_t, 3>;

// One factor of a move's probability: a runner's advancement succeeding or
// failing, looked up per batting position. Index 0 stands for the factor 1.
inline constexpr int kFactorCount = 1 + kMaxDistance * kAdvanceCount * 2;
constexpr std::uint8_t factorIndex(int distance, Advance kind, bool success) {
    return static_cast<std::uint8_t>(1 + ((distance - 1) * kAdvanceCount + kind) * 2 +
                                     (success ? 0 : 1));
}

struct Move {
    std::uint16_t target;  // situation index at the same outs, next batter up
    std::uint8_t outcome;  // an Outcome, kSingle..kWalk
    std::uint8_t runs;     // 0..4
    std::uint8_t factorA;  // factor indices (0 = none)
    std::uint8_t factorB;
};

struct Situation {
    Bases bases;
    std::uint16_t firstMove;  // moves[firstMove .. firstMove + moveCount)
    std::uint8_t moveCount;
    std::uint16_t outTarget;  // situation index one out later (unused at two outs)
};

struct BaseStates {
    // situations[outs], in a fixed order; index 0 of outs 0 is the empty bases.
    std::array<std::vector<Situation>, kOutsPerInning> situations;
    std::vector<Move> moves;
    // Largest runner distance that occurs (bounds the factor table).
    int maxDistance = 0;
};

// Built once on first use; read-only afterwards and safe to share between
// threads.
const BaseStates& baseStates();

}  // namespace diz::exact
