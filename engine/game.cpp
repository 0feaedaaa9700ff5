#include "engine/game.h"

namespace diz::engine {

LineupTables makeLineupTables(const BatterRecord* const lineup[kLineupSize]) {
    LineupTables tables;
    for (int i = 0; i < kLineupSize; ++i) {
        tables.position[static_cast<unsigned>(i)] = makeBatterThresholds(*lineup[i]);
    }
    return tables;
}

}  // namespace diz::engine
