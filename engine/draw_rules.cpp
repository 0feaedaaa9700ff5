#include "diz/engine/draw_rules.h"

namespace diz::engine {

BatterThresholds makeBatterThresholds(const BatterRecord& record) {
    BatterThresholds t;
    // The sums are formed in this order, in double, exactly as the plain
    // comparison "s > u" would form them.
    const double probabilities[kOut] = {record.pSingle, record.pDouble, record.pTriple,
                                        record.pHomeRun, record.pWalk};
    double sum = 0.0;
    std::uint32_t bound = 0;
    for (std::uint32_t k = 0; k < kOut; ++k) {
        sum = k == 0 ? probabilities[0] : sum + probabilities[k];
        const std::uint32_t threshold = uniformThreshold(sum);
        bound = threshold > bound ? threshold : bound;
        t.outcomeBound[k] = bound;
    }
    t.firstToThird = thousandthsThreshold(record.rate1B1to3);
    t.secondToHome = thousandthsThreshold(record.rate1B2to4);
    t.firstToHome = thousandthsThreshold(record.rate2B1to4);
    return t;
}

}  // namespace diz::engine
