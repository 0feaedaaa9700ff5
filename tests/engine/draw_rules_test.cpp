// The engine compares integers where the game rules compare doubles. These
// tests check the equivalence over every value of the 15-bit draw, the ends
// included: r = 1000 and r = 2001 are thousandths draws of exactly 1, and
// r = 32767 the largest uniform draw, just below 1.
#include "diz/engine/draw_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "support/reference_game.h"

namespace diz::engine {
namespace {

std::vector<double> probeValues() {
    std::vector<double> v = {0.0,
                             -0.0,
                             1.0,
                             2.0,
                             -0.5,
                             0.5,
                             1e-300,
                             5e-324,
                             32767.0 / 32768.0,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    for (int k = 0; k <= 1001; ++k) {
        const double thousandth = k / 1000.0;
        const double sixteenth = k * 32.0 / 32768.0;
        for (double x : {thousandth, sixteenth}) {
            v.push_back(x);
            v.push_back(std::nextafter(x, 2.0));
            v.push_back(std::nextafter(x, -1.0));
        }
    }
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> any(-0.1, 1.1);
    for (int i = 0; i < 500; ++i) v.push_back(any(gen));
    return v;
}

TEST(UniformThreshold, AgreesWithTheDoubleComparisonForEveryDraw) {
    for (double s : probeValues()) {
        const std::uint32_t t = uniformThreshold(s);
        for (std::uint32_t r = 0; r < kDrawRange; ++r) {
            const bool exact = s > support::uniformOf(r);
            ASSERT_EQ(exact, r < t) << "s=" << s << " r=" << r;
        }
    }
}

TEST(ThousandthsThreshold, AgreesWithTheDoubleComparisonForEveryDraw) {
    for (double rate : probeValues()) {
        const std::uint32_t t = thousandthsThreshold(rate);
        for (std::uint32_t r = 0; r < kDrawRange; ++r) {
            const bool exact = support::thousandthsOf(r) <= rate;
            ASSERT_EQ(exact, r % kThousandths < t) << "rate=" << rate << " r=" << r;
        }
    }
}

// The outcome chosen from the bounds must be the first cumulative sum above u,
// including for sums that fall (negative probabilities) or are NaN.
TEST(OutcomeBounds, PickTheFirstSumAboveTheDrawForEveryDraw) {
    std::mt19937_64 gen(11);
    std::uniform_real_distribution<double> p(-0.05, 0.3);
    std::vector<BatterRecord> batters = {
        {'a', 100.0 / 450, 20.0 / 450, 2.0 / 450, 10.0 / 450, 50.0 / 450, 0, 0, 0},
        {'b', 0.5, -0.2, 0.1, 0.3, 0.0, 0, 0, 0},
        {'c', 0.2, std::numeric_limits<double>::quiet_NaN(), 0.1, 0.1, 0.1, 0, 0, 0},
        {'d', 0.5, 0.5, 0.0, 0.0, 0.0, 0, 0, 0},
    };
    for (int i = 0; i < 200; ++i)
        batters.push_back({'e', p(gen), p(gen), p(gen), p(gen), p(gen), 0, 0, 0});
    for (const BatterRecord& b : batters) {
        const BatterThresholds t = makeBatterThresholds(b);
        for (std::uint32_t r = 0; r < kDrawRange; ++r) {
            const double u = support::uniformOf(r);
            const double ps[kOut] = {b.pSingle, b.pDouble, b.pTriple, b.pHomeRun, b.pWalk};
            std::uint32_t expected = kOut;
            double s = 0;
            for (std::uint32_t k = 0; k < kOut; ++k) {
                s = k == 0 ? ps[0] : s + ps[k];
                if (s > u) {
                    expected = k;
                    break;
                }
            }
            ASSERT_EQ(outcomeOf(t, r), expected) << "batter " << b.label << " r=" << r;
        }
    }
}

}  // namespace
}  // namespace diz::engine
