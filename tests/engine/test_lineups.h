// Batters shared by the engine tests.
#pragma once

#include <array>

#include "diz/core.h"
#include "diz/lineup.h"

namespace diz::test {

using LineupPointers = std::array<const BatterRecord*, kLineupSize>;

// 400 at-bats, 100 singles, 20 doubles, 2 triples, 10 home runs, 50 walks.
inline BatterRecord referenceBatter() {
    return BatterRecord{'a',        100.0 / 450, 20.0 / 450, 2.0 / 450, 10.0 / 450,
                        50.0 / 450, 0.25,        0.5,        0.4};
}

inline BatterRecord allOutBatter() { return BatterRecord{'a', 0, 0, 0, 0, 0, 0, 0, 0}; }

// Nine references to one record.
inline LineupPointers nineOf(const BatterRecord& b) {
    LineupPointers p;
    p.fill(&b);
    return p;
}

inline LineupPointers pointersTo(const std::array<BatterRecord, kLineupSize>& records) {
    LineupPointers p;
    for (unsigned i = 0; i < kLineupSize; ++i) p[i] = &records[i];
    return p;
}

}  // namespace diz::test
