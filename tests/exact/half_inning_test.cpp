// Innings whose figures can be worked out by hand.
#include "exact/half_inning.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exact/game_figures.h"
#include "exact/order_solver.h"
#include "exact_lineups.h"

namespace diz::exact {
namespace {

using test::kNatural;

constexpr double kTight = 1e-12;

TEST(HalfInning, AllOutLineupScoresNothingAndAdvancesThreeBatters) {
    OrderSolver solver(test::nineCopies(test::allOutBatter()));
    const HalfInningTable table = solver.halfInnings(kNatural);
    EXPECT_FALSE(table.capped);
    for (int p = 0; p < kLineupSize; ++p) {
        EXPECT_EQ(table.nextLeadoff[p][(p + 3) % kLineupSize], 1.0);
        EXPECT_EQ(table.meanRuns[p], 0.0);
        EXPECT_EQ(table.scoreless[p], 1.0);
    }
    const ExactFigures f = gameFigures(table, 0);
    EXPECT_EQ(f.meanRuns, 0.0);
    EXPECT_EQ(f.sdRuns, 0.0);
    for (int i = 0; i < kInnings; ++i) {
        EXPECT_EQ(f.inningRuns[i], 0.0);
        EXPECT_EQ(f.inningScoring[i], 0.0);
    }
}

// With home runs (chance h) and outs only, an inning's runs are the home runs
// before the third out: negative binomial, mean 3h/(1-h), variance
// 3h/(1-h)^2, scoreless with chance (1-h)^3; innings are independent.
TEST(HalfInning, HomeRunsOnlyFollowTheNegativeBinomial) {
    for (int draws : {8192, 1000, 30000}) {
        const double h = draws / 32768.0;
        const BatterRecord slugger{'a', 0, 0, 0, h, 0, 0.5, 0.5, 0.5};
        ExactEvaluator evaluator(test::nineCopies(slugger));
        const ExactFigures f = evaluator.evaluate(kNatural);
        const double inningMean = 3 * h / (1 - h);
        for (int i = 0; i < kInnings; ++i) {
            EXPECT_NEAR(f.inningRuns[i], inningMean, kTight * inningMean) << draws;
            EXPECT_NEAR(f.inningScoring[i], 1 - std::pow(1 - h, 3), kTight) << draws;
        }
        EXPECT_NEAR(f.meanRuns, kInnings * inningMean, kTight * f.meanRuns);
        EXPECT_NEAR(f.sdRuns, std::sqrt(kInnings * 3 * h / ((1 - h) * (1 - h))), 1e-10 * f.sdRuns);
    }
}

// With walks (chance 1/2) and outs only, runs score from the fourth walk on:
// P(W = k walks) = C(k+2, 2) / 2^(k+3), so E[runs] = E[W] - E[min(W, 3)]
// = 3 - 33/16 and P(runs > 0) = P(W >= 4) = 11/32.
TEST(HalfInning, WalksScoreOnlyWithTheBasesLoaded) {
    const BatterRecord walker{'a', 0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5};
    ExactEvaluator evaluator(test::nineCopies(walker));
    const ExactFigures f = evaluator.evaluate(kNatural);
    for (int i = 0; i < kInnings; ++i) {
        EXPECT_NEAR(f.inningRuns[i], 3.0 - 33.0 / 16, kTight);
        EXPECT_NEAR(f.inningScoring[i], 11.0 / 32, kTight);
    }
}

// Every plate appearance a single and every advancement taken: from the third
// batter on each single scores the runner on third, so an inning stopped by
// the cap after 1000 plate appearances scores 998, and the tenth batter after
// 1000 leads off the next.
TEST(HalfInning, LineupThatCannotMakeAnOutStopsAtTheCap) {
    const BatterRecord hitter{'a', 1.0, 0, 0, 0, 0, 1.0, 1.0, 1.0};
    OrderSolver solver(test::nineCopies(hitter));
    const HalfInningTable table = solver.halfInnings(kNatural);
    EXPECT_TRUE(table.capped);
    for (int p = 0; p < kLineupSize; ++p) {
        EXPECT_NEAR(table.nextLeadoff[p][(p + kPlateAppearanceCap) % kLineupSize], 1.0, kTight);
        EXPECT_NEAR(table.meanRuns[p], 998.0, 998 * kTight);
    }
    const ExactFigures f = gameFigures(table, 0);
    EXPECT_NEAR(f.meanRuns, kInnings * 998.0, kInnings * 998 * kTight);
    EXPECT_NEAR(f.sdRuns, 0.0, 1e-6);
}

TEST(HalfInning, CapBoundSeparatesOrdinaryFromOutlessLineups) {
    const QuantisedBatter ordinary = quantise(test::referenceBatter());
    const QuantisedBatter outless = quantise(BatterRecord{'a', 1.0, 0, 0, 0, 0, 0, 0, 0});
    PositionedLineup lineup;
    lineup.fill(&ordinary);
    EXPECT_LT(capReachBound(lineup), 1e-100);
    EXPECT_FALSE(needsCap(lineup));
    lineup[4] = &outless;  // one batter who can't make an out changes little
    EXPECT_LT(capReachBound(lineup), 1e-100);
    EXPECT_FALSE(needsCap(lineup));
    lineup.fill(&outless);
    EXPECT_EQ(capReachBound(lineup), 1.0);
    EXPECT_TRUE(needsCap(lineup));
}

// Out chances of 0.3 leave a round of the order without an out about 4% of
// the time, and the bound far below the threshold of 1e-16; of 0.03, about
// 76% of the time, and the bound near 4e-11: the cap is followed then.
TEST(HalfInning, NeedsCapOnlyWhereTheBoundIsNotNegligible) {
    for (const double out : {0.3, 0.03, 0.01}) {
        const QuantisedBatter batter = quantise(BatterRecord{'a', 1.0 - out, 0, 0, 0, 0, 0, 0, 0});
        PositionedLineup lineup;
        lineup.fill(&batter);
        SCOPED_TRACE(out);
        EXPECT_EQ(needsCap(lineup), capReachBound(lineup) > 1e-16);
        EXPECT_EQ(needsCap(lineup), out < 0.1);
    }
}

}  // namespace
}  // namespace diz::exact
