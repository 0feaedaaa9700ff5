// A plain transcription of the game rules with floating-point draws and record
// pointers, kept as the yardstick for the engine's integer fast path.
#pragma once

#include <cstdint>

#include "diz/core.h"
#include "diz/engine/draw_rules.h"
#include "diz/lineup.h"
#include "engine/random_source.h"

namespace diz::support {

// A draw r as the rules state it in double: u = r / 32768 in [0, 1) for the
// outcome, t = (r mod 1001) / 1000 in [0, 1] for an advancement.
inline double uniformOf(std::uint32_t r) { return r / 32768.0; }
inline double thousandthsOf(std::uint32_t r) { return (r % 1001) / 1000.0; }

inline void referenceGame(const BatterRecord* const lineup[kLineupSize],
                          engine::RandomSource& random, std::uint32_t inningRuns[kInnings],
                          std::uint32_t paCap = engine::kMaxPlateAppearancesPerInning) {
    int position = 0;
    for (int inning = 0; inning < kInnings; ++inning) {
        const BatterRecord* first = nullptr;
        const BatterRecord* second = nullptr;
        const BatterRecord* third = nullptr;
        std::uint32_t outs = 0, runs = 0, pa = 0;
        while (outs < kOutsPerInning && pa < paCap) {
            ++pa;
            const BatterRecord* b = lineup[position];
            position = (position + 1) % kLineupSize;
            const double u = uniformOf(random.next15());
            double s = b->pSingle;
            if (s > u) {  // single
                if (third) ++runs;
                if (second) {
                    if (thousandthsOf(random.next15()) <= second->rate1B2to4) {
                        ++runs;
                        second = nullptr;
                    }
                }
                if (first && !second) {
                    if (thousandthsOf(random.next15()) <= first->rate1B1to3) {
                        second = first;
                        first = nullptr;
                    }
                }
                third = second;
                second = first;
                first = b;
                continue;
            }
            s += b->pDouble;
            if (s > u) {  // double
                runs += (second != nullptr) + (third != nullptr);
                third = nullptr;
                second = b;
                if (first) {
                    if (thousandthsOf(random.next15()) > first->rate2B1to4) {
                        third = first;
                    } else {
                        ++runs;
                    }
                    first = nullptr;
                }
                continue;
            }
            s += b->pTriple;
            if (s > u) {
                runs += (first != nullptr) + (second != nullptr) + (third != nullptr);
                first = second = nullptr;
                third = b;
                continue;
            }
            s += b->pHomeRun;
            if (s > u) {
                runs += (first != nullptr) + (second != nullptr) + (third != nullptr) + 1;
                first = second = third = nullptr;
                continue;
            }
            s += b->pWalk;
            if (s > u) {
                if (first) {
                    if (second) {
                        if (third) ++runs;
                        third = second;
                    }
                    second = first;
                }
                first = b;
                continue;
            }
            ++outs;
        }
        inningRuns[inning] = runs;
    }
}

}  // namespace diz::support
