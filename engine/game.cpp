#include "game.h"

namespace diz::engine {

BatterThresholds makeBatterThresholds(const BatterRecord& record) {
    BatterThresholds t;
    // The sums are formed in this order, in double, exactly as the plain
    // comparison "s > u" would form them.
    const double probabilities[5] = {record.pSingle, record.pDouble, record.pTriple,
                                     record.pHomeRun, record.pWalk};
    double sum = 0.0;
    std::uint32_t bound = 0;
    for (int k = 0; k < 5; ++k) {
        sum = k == 0 ? probabilities[0] : sum + probabilities[k];
        const std::uint32_t threshold = uniformThreshold(sum);
        bound = threshold > bound ? threshold : bound;
        t.outcomeBound[static_cast<unsigned>(k)] = bound;
    }
    t.firstToThird = thousandthsThreshold(record.rate1B1to3);
    t.secondToHome = thousandthsThreshold(record.rate1B2to4);
    t.firstToHome = thousandthsThreshold(record.rate2B1to4);
    return t;
}

LineupTables makeLineupTables(const BatterRecord* const lineup[kLineupSize]) {
    LineupTables tables;
    for (int i = 0; i < kLineupSize; ++i) {
        tables.position[static_cast<unsigned>(i)] = makeBatterThresholds(*lineup[i]);
    }
    return tables;
}

}  // namespace diz::engine
