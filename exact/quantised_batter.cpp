#include "quantised_batter.h"

#include <algorithm>
#include <cmath>

namespace diz::exact {
namespace {

// (r mod 1001) takes the values 0..735 33 times among r = 0..32767 and the
// values 736..1000 32 times (32768 = 32 * 1001 + 736).
constexpr int kThousandthsValues = 1001;
constexpr int kFrequentValues = kDrawValues - 32 * kThousandthsValues;

// Draws whose thousandth (r mod 1001) is one of 0..values-1.
std::int32_t drawsOfFirstThousandths(int values) {
    return 33 * std::min(values, kFrequentValues) + 32 * std::max(0, values - kFrequentValues);
}

}  // namespace

std::int32_t drawsBelow(double cumulativeSum) {
    // s > r / 32768 exactly when s * 32768 > r: scaling by a power of two is
    // exact, so the comparison is the engine's own.
    const double scaled = cumulativeSum * kDrawValues;
    if (!(scaled > 0.0)) return 0;  // also NaN
    if (scaled > kDrawValues - 1) return kDrawValues;
    return static_cast<std::int32_t>(std::ceil(scaled));
}

std::int32_t drawsWithin(double rate) {
    // v / 1000.0 <= rate is monotone in v: find how many of v = 0..1000 pass.
    int lo = 0;
    int hi = kThousandthsValues;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (mid / 1000.0 <= rate) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return drawsOfFirstThousandths(lo);
}

QuantisedBatter quantise(const BatterRecord& record) {
    QuantisedBatter q;
    const double probabilities[] = {record.pSingle, record.pDouble, record.pTriple,
                                    record.pHomeRun, record.pWalk};
    // The first sum to exceed the draw wins, so outcome k gets the draws below
    // its sum that no earlier sum already took.
    double sum = 0.0;
    std::int32_t taken = 0;
    for (int k = 0; k < kOut; ++k) {
        sum += probabilities[k];
        const std::int32_t below = std::max(taken, drawsBelow(sum));
        q.outcomeDraws[k] = below - taken;
        taken = below;
    }
    q.outcomeDraws[kOut] = kDrawValues - taken;

    q.advanceDraws[k1B1to3] = drawsWithin(record.rate1B1to3);
    q.advanceDraws[k1B2to4] = drawsWithin(record.rate1B2to4);
    // On a double the runner from first stops only when the draw exceeds his
    // rate, so a NaN rate lets him score.
    q.advanceDraws[k2B1to4] =
        std::isnan(record.rate2B1to4) ? kDrawValues : drawsWithin(record.rate2B1to4);
    return q;
}

}  // namespace diz::exact
