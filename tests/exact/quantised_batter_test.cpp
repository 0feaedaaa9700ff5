#include "exact/quantised_batter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>

#include "test_lineups.h"

namespace diz::exact {
namespace {

constexpr auto kDraws = static_cast<int>(engine::kDrawRange);

int total(const QuantisedBatter& q) {
    return std::accumulate(q.outcomeDraws.begin(), q.outcomeDraws.end(), 0);
}

TEST(Quantise, OutcomesShareAllDrawsInOrder) {
    const QuantisedBatter q = quantise(test::referenceBatter());
    EXPECT_EQ(total(q), kDraws);
    // 100/450 of 32768 is 7281.8: draws 0..7281 are singles.
    EXPECT_EQ(q.outcomeDraws[kSingle], 7282);
    // The cumulative sum 182/450 (13252.8 draws) covers draws 0..13252.
    EXPECT_EQ(q.outcomeDraws[kOut], kDraws - 13253);
}

TEST(Quantise, ASumOfExactlyOneLeavesNoOutButJustBelowDoes) {
    BatterRecord b{'a', 0.5, 0.25, 0.125, 0.0625, 0.0625, 0, 0, 0};
    EXPECT_EQ(quantise(b).outcomeDraws[kOut], 0);
    b.pWalk = 0.0625 - 1.0 / 32768;  // the largest draw is 32767/32768
    EXPECT_EQ(quantise(b).outcomeDraws[kOut], 1);
}

TEST(Quantise, NegativeAndNaNProbabilitiesTakeNoDraws) {
    BatterRecord b{'a', 0.5, -0.25, 0.25, std::numeric_limits<double>::quiet_NaN(), 0.75, 0, 0, 0};
    const QuantisedBatter q = quantise(b);
    EXPECT_EQ(q.outcomeDraws[kDouble], 0);
    // The sum fell to 0.25, so the triple's 0.5 covers the same draws as the single's.
    EXPECT_EQ(q.outcomeDraws[kTriple], 0);
    // A NaN makes every later sum NaN: nothing after it can be selected.
    EXPECT_EQ(q.outcomeDraws[kHomeRun], 0);
    EXPECT_EQ(q.outcomeDraws[kWalk], 0);
    EXPECT_EQ(q.outcomeDraws[kOut], kDraws / 2);
}

TEST(Quantise, RatesCountThousandthsWithTheirUnevenFrequencies) {
    auto draws = [](double rate) {
        return quantise(BatterRecord{'a', 0, 0, 0, 0, 0, rate, 0, 0}).advanceDraws[k1B1to3];
    };
    EXPECT_EQ(draws(0.0), 33);         // only a thousandth of exactly 0
    EXPECT_EQ(draws(0.25), 251 * 33);  // 0.000 .. 0.250
    EXPECT_EQ(draws(0.735), 736 * 33);
    EXPECT_EQ(draws(0.736), 736 * 33 + 32);
    EXPECT_EQ(draws(1.0), kDraws);
    EXPECT_EQ(draws(1.7), kDraws);
    EXPECT_EQ(draws(-0.1), 0);
    EXPECT_EQ(draws(std::nan("")), 0);
}

}  // namespace
}  // namespace diz::exact
