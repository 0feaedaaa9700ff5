// One nine-inning game for one batting order.
//
// Each plate appearance ends in a single, double, triple, home run, walk or
// out, drawn from the batter's own probabilities; runners move by fixed rules
// with three runner-specific chances of an extra base. Nothing else happens:
// no double plays, no advancing on outs, no steals, no errors, no extra
// innings. The rules, and the order in which they consume draws, are fixed:
// changing either changes every published figure.
//
// The game is written against any draw source with `std::uint32_t next15()`,
// so tests can feed it chosen draws.
#pragma once

#include <array>
#include <cstdint>

#include "diz/core.h"
#include "diz/engine/draw_rules.h"
#include "diz/lineup.h"

namespace diz::engine {

// Thresholds for the nine batting positions, worked out once per call.
struct LineupTables {
    std::array<BatterThresholds, kLineupSize> position{};
};

LineupTables makeLineupTables(const BatterRecord* const lineup[kLineupSize]);

// The state of the inning being played. A base holds the batting position of
// its runner plus one, or 0 when empty, so a runner keeps his own rates.
struct InningState {
    std::uint32_t first = 0, second = 0, third = 0;
    std::uint32_t outs = 0;
    std::uint32_t runs = 0;
    std::uint32_t position = 0;  // batting position of the next batter, 0..8
};

// Plays one plate appearance of the batter at state.position.
template <class Draws>
inline void playPlateAppearance(InningState& s, const LineupTables& tables, Draws& draws) {
    const std::uint32_t batter = s.position + 1;
    const BatterThresholds& t = tables.position[s.position];
    s.position = s.position == kLineupSize - 1 ? 0 : s.position + 1;

    const std::uint32_t r = draws.next15();
    if (r >= t.outcomeBound[kWalk]) {  // an out, the common case, kept short
        ++s.outs;
        return;
    }
    const auto succeeds = [&](std::uint32_t runner, std::uint32_t BatterThresholds::*rate) {
        return draws.next15() % kThousandths < tables.position[runner - 1].*rate;
    };
    // Switched on as a number so that the out, handled above, needs no case.
    switch (static_cast<std::uint32_t>(outcomeOf(t, r))) {
        case kSingle:
            s.runs += s.third != 0;
            if (s.second != 0 && succeeds(s.second, &BatterThresholds::secondToHome)) {
                ++s.runs;
                s.second = 0;
            }
            if (s.first != 0 && s.second == 0 &&
                succeeds(s.first, &BatterThresholds::firstToThird)) {
                s.second = s.first;  // moves up once more below: ends on third
                s.first = 0;
            }
            s.third = s.second;
            s.second = s.first;
            s.first = batter;
            break;
        case kDouble:
            s.runs += (s.second != 0) + (s.third != 0);
            s.third = 0;
            s.second = batter;
            if (s.first != 0) {
                if (succeeds(s.first, &BatterThresholds::firstToHome)) {
                    ++s.runs;
                } else {
                    s.third = s.first;
                }
                s.first = 0;
            }
            break;
        case kTriple:
            s.runs += (s.first != 0) + (s.second != 0) + (s.third != 0);
            s.first = s.second = 0;
            s.third = batter;
            break;
        case kHomeRun:
            s.runs += (s.first != 0) + (s.second != 0) + (s.third != 0) + 1;
            s.first = s.second = s.third = 0;
            break;
        case kWalk:  // only forced runners move
            if (s.first != 0) {
                if (s.second != 0) {
                    s.runs += s.third != 0;
                    s.third = s.second;
                }
                s.second = s.first;
            }
            s.first = batter;
            break;
    }
}

// Plays one game and stores each inning's runs. The batting position carries
// over from inning to inning; the first inning starts with position 0.
template <class Draws>
inline void playGame(const LineupTables& tables, Draws& draws, std::uint32_t inningRuns[kInnings]) {
    std::uint32_t position = 0;
    for (int inning = 0; inning < kInnings; ++inning) {
        InningState s;
        s.position = position;
        for (std::uint32_t pa = 0; s.outs < kOutsPerInning && pa < kMaxPlateAppearancesPerInning;
             ++pa) {
            playPlateAppearance(s, tables, draws);
        }
        inningRuns[inning] = s.runs;
        position = s.position;
    }
}

}  // namespace diz::engine
