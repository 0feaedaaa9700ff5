#include "exact/quantised_batter.h"

#include <algorithm>

namespace diz::exact {
namespace {

// (r mod 1001) takes the values 0..735 33 times among r = 0..32767 and the
// values 736..1000 32 times (32768 = 32 * 1001 + 736).
constexpr auto kFrequentValues =
    static_cast<std::int32_t>(engine::kDrawRange - 32 * engine::kThousandths);

std::int32_t drawsOfFirstThousandths(std::uint32_t values) {
    const auto v = static_cast<std::int32_t>(values);
    return 33 * std::min(v, kFrequentValues) + 32 * std::max(0, v - kFrequentValues);
}

}  // namespace

QuantisedBatter quantise(const BatterRecord& record) {
    // The engine's own thresholds: outcome k takes the draws r with
    // bound[k-1] <= r < bound[k]; an advancement succeeds when
    // (r mod 1001) is below its threshold.
    const engine::BatterThresholds t = engine::makeBatterThresholds(record);
    QuantisedBatter q;
    std::uint32_t below = 0;
    for (std::uint32_t k = 0; k < kOut; ++k) {
        q.outcomeDraws[k] = static_cast<std::int32_t>(t.outcomeBound[k] - below);
        below = t.outcomeBound[k];
    }
    q.outcomeDraws[kOut] = static_cast<std::int32_t>(engine::kDrawRange - below);
    q.advanceDraws[k1B1to3] = drawsOfFirstThousandths(t.firstToThird);
    q.advanceDraws[k1B2to4] = drawsOfFirstThousandths(t.secondToHome);
    q.advanceDraws[k2B1to4] = drawsOfFirstThousandths(t.firstToHome);
    return q;
}

}  // namespace diz::exact
