// A plain transcription of the game rules with floating-point draws and record
// pointers, kept as the yardstick for the engine's integer fast path.
#pragma once

#include <cstdint>

#include "diz/core.h"
#include "random_source.h"

namespace diz::test {

inline void referenceGame(const BatterRecord* const lineup[9], engine::RandomSource& random,
                          std::uint32_t inningRuns[9], std::uint32_t paCap = 1000) {
    int position = 0;
    for (int inning = 0; inning < 9; ++inning) {
        const BatterRecord* first = nullptr;
        const BatterRecord* second = nullptr;
        const BatterRecord* third = nullptr;
        std::uint32_t outs = 0, runs = 0, pa = 0;
        while (outs < 3 && pa < paCap) {
            ++pa;
            const BatterRecord* b = lineup[position];
            position = (position + 1) % 9;
            const double u = random.drawUniform();
            double s = b->pSingle;
            if (s > u) {  // single
                if (third) ++runs;
                if (second) {
                    if (random.drawThousandths() <= second->rate1B2to4) {
                        ++runs;
                        second = nullptr;
                    }
                }
                if (first && !second) {
                    if (random.drawThousandths() <= first->rate1B1to3) {
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
                    if (random.drawThousandths() > first->rate2B1to4) {
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

}  // namespace diz::test
