// The exact figures against the engine's own Monte Carlo estimates. `trial`
// draws from this thread's generator, which starts at 1 and runs on, so each
// test's games are fixed by the tests that ran before it in the process.
#include <gtest/gtest.h>

#include <cmath>

#include "diz/core.h"
#include "exact/order_solver.h"
#include "exact_lineups.h"

namespace diz::exact {
namespace {

struct Simulated {
    double mean = 0, sd = 0;
    double inningRuns[kInnings] = {}, inningScoring[kInnings] = {};
};

Simulated simulate(const Batters& batters, const BattingOrder& order, std::uint32_t games) {
    const BatterRecord* lineup[kLineupSize];
    for (int i = 0; i < kLineupSize; ++i) lineup[i] = &batters[order[i]];
    Simulated s;
    double standardError = 0;
    trial(lineup, games, &s.mean, &standardError, s.inningRuns, s.inningScoring);
    s.sd = standardError * std::sqrt(double(games));  // the engine's divisor is games
    return s;
}

// Standard deviation of each inning's runs, from the chance that each batting
// position leads it off.
std::array<double, kInnings> inningDeviations(const HalfInningTable& t, const ExactFigures& f) {
    std::array<double, kInnings> sd{};
    PerPosition<double> leadoff{};
    leadoff[0] = 1.0;
    for (int i = 0; i < kInnings; ++i) {
        double meanSquare = 0;
        PerPosition<double> next{};
        for (int p = 0; p < kLineupSize; ++p) {
            meanSquare += leadoff[p] * t.meanSquareRuns[p];
            for (int q = 0; q < kLineupSize; ++q) next[q] += leadoff[p] * t.nextLeadoff[p][q];
        }
        sd[i] = std::sqrt(meanSquare - f.inningRuns[i] * f.inningRuns[i]);
        leadoff = next;
    }
    return sd;
}

// Means within 4 standard errors, scoring shares within 4 binomial standard
// errors, and the standard deviation within `sdTolerance` (relative).
void expectAgreement(const Batters& batters, const BattingOrder& order, std::uint32_t games,
                     double sdTolerance) {
    const ExactFigures exact = ExactEvaluator(batters).evaluate(order);
    const auto inningSd = inningDeviations(OrderSolver(batters).halfInnings(order), exact);
    const Simulated sim = simulate(batters, order, games);
    const double n = games;

    EXPECT_NEAR(sim.mean, exact.meanRuns, 4 * exact.sdRuns / std::sqrt(n));
    EXPECT_NEAR(sim.sd, exact.sdRuns, sdTolerance * exact.sdRuns);
    for (int i = 0; i < kInnings; ++i) {
        SCOPED_TRACE(testing::Message() << "inning " << i + 1);
        EXPECT_NEAR(sim.inningRuns[i], exact.inningRuns[i], 4 * inningSd[i] / std::sqrt(n));
        const double p = exact.inningScoring[i];
        EXPECT_NEAR(sim.inningScoring[i], p, 4 * std::sqrt(p * (1 - p) / n));
    }
}

TEST(AgreesWithTrial, ReferenceBatterNineTimes) {
    expectAgreement(test::nineCopies(test::referenceBatter()), test::kNatural, 1000000, 0.01);
}

TEST(AgreesWithTrial, MixedLineupWithExtremeRates) {
    expectAgreement(test::mixedBatters(), BattingOrder{5, 0, 7, 3, 8, 1, 4, 2, 6}, 1000000, 0.01);
}

// Out chances near 3 in 1000: about half the innings reach the 1000th plate
// appearance, so ignoring the cap would overstate the runs by about a third.
TEST(AgreesWithTrial, InningsCutByThePlateAppearanceCap) {
    Batters batters;
    for (int i = 0; i < kLineupSize; ++i) {
        const double walk = 0.4 - 0.002 * (i % 3);
        batters[i] = BatterRecord{char('a' + i), 0.45, 0.1, 0.01, 0.04, walk, 0.3, 0.6, 0.5};
    }
    ASSERT_TRUE(OrderSolver(batters).halfInnings(test::kNatural).capped);
    expectAgreement(batters, test::kNatural, 3000, 0.1);
}

}  // namespace
}  // namespace diz::exact
