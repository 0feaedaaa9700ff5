#include "batch/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "batch/order_evaluators.h"

namespace diz {
namespace {

// examples/batters.txt.
const BatterTable kExample{{
    {520, 118, 28, 6, 8, 62, 0.35, 0.65, 0.45},
    {505, 105, 30, 3, 14, 55, 0.30, 0.60, 0.40},
    {540, 98, 34, 2, 31, 78, 0.25, 0.55, 0.35},
    {530, 92, 29, 1, 38, 85, 0.22, 0.50, 0.33},
    {495, 96, 25, 2, 22, 52, 0.26, 0.55, 0.38},
    {470, 94, 21, 3, 12, 40, 0.28, 0.58, 0.40},
    {450, 88, 19, 1, 9, 36, 0.27, 0.56, 0.38},
    {420, 80, 16, 0, 6, 30, 0.24, 0.50, 0.33},
    {400, 82, 12, 4, 2, 34, 0.38, 0.68, 0.48},
}};

// The 24 orders "abcde****" in lexicographic order.
std::vector<BattingOrder> abcdeOrders() {
    std::vector<BattingOrder> orders;
    BattingOrder order{0, 1, 2, 3, 4, 5, 6, 7, 8};
    do {
        orders.push_back(order);
    } while (std::next_permutation(order.begin() + 5, order.end()));
    return orders;
}

std::vector<double> expectedRuns(const BatterTable& batters,
                                 const std::vector<BattingOrder>& orders) {
    const OrderSelection selection(OrderSource::AcceptedOrderings, kDefaultPatterns);
    ExactOrderEvaluator evaluator(buildRecords(batters), 1, 1, ReportOptions{true, false},
                                  selection);
    std::vector<TrialResult> results(orders.size());
    EXPECT_TRUE(evaluator.evaluate(orders, results));
    std::vector<double> runs;
    for (const TrialResult& r : results) runs.push_back(r.meanRuns);
    return runs;
}

// Places best first, ties in selection order.
std::vector<std::uint32_t> pointRanking(const std::vector<double>& runs) {
    std::vector<std::uint32_t> places(runs.size());
    std::iota(places.begin(), places.end(), 0U);
    std::stable_sort(places.begin(), places.end(),
                     [&runs](std::uint32_t a, std::uint32_t b) { return runs[a] > runs[b]; });
    return places;
}

ResampleOptions optionsFor(std::uint32_t replicates, int jobs = 1) {
    ResampleOptions options;
    options.replicates = replicates;
    options.seed = 7;
    options.jobs = jobs;
    return options;
}

const ResampledOrder* find(const ResampleSummary& summary, std::uint32_t index) {
    for (const ResampledOrder& r : summary.orders) {
        if (r.index == index) return &r;
    }
    return nullptr;
}

TEST(ResampledSeason, KeepsEachBattersAppearancesAndRatesAndRepeatsForItsSeed) {
    BatterTable batters = kExample;
    batters[7] = BatterEntry{0, 0, 0, 0, 0, 0, 0.1, 0.2, 0.3};   // no plate appearance
    batters[8] = BatterEntry{10, 8, 4, 0, 0, 3, 0.1, 0.2, 0.3};  // more hits than at-bats
    const BatterTable season = resampledSeason(batters, 7, 3);
    for (int b = 0; b < 7; ++b) {
        const BatterEntry& before = batters[b];
        const BatterEntry& after = season[b];
        EXPECT_EQ(after.atBats + after.walks, before.atBats + before.walks) << b;
        EXPECT_LE(after.singles + after.doubles + after.triples + after.homeRuns, after.atBats);
        EXPECT_EQ(after.rate1B1to3, before.rate1B1to3);
        EXPECT_EQ(after.rate2B1to4, before.rate2B1to4);
    }
    for (int b = 7; b < 9; ++b) {
        EXPECT_EQ(season[b].atBats, batters[b].atBats);
        EXPECT_EQ(season[b].singles, batters[b].singles);
        EXPECT_EQ(season[b].walks, batters[b].walks);
    }
    const BatterTable again = resampledSeason(batters, 7, 3);
    const BatterTable other = resampledSeason(batters, 7, 4);
    const BatterTable otherSeed = resampledSeason(batters, 8, 3);
    int differentReplicate = 0;
    int differentSeed = 0;
    for (int b = 0; b < 7; ++b) {
        EXPECT_EQ(again[b].singles, season[b].singles);
        EXPECT_EQ(again[b].homeRuns, season[b].homeRuns);
        differentReplicate += other[b].singles != season[b].singles;
        differentSeed += otherSeed[b].singles != season[b].singles;
    }
    EXPECT_GE(differentReplicate, 4);
    EXPECT_GE(differentSeed, 4);
}

TEST(ResampledSeason, CountsFollowTheMultinomialOfTheObservedShares) {
    // 550 plate appearances: 100 singles, 30 doubles, 5 triples, 20 home
    // runs, 50 walks, 345 outs.
    BatterTable batters = kExample;
    batters[0] = BatterEntry{500, 100, 30, 5, 20, 50, 0.3, 0.6, 0.4};
    const double shares[6] = {100 / 550.0, 30 / 550.0, 5 / 550.0,
                              20 / 550.0,  50 / 550.0, 345 / 550.0};
    constexpr int kReplicates = 2000;
    double sums[6] = {};
    double singlesSquares = 0.0;
    for (std::uint32_t r = 0; r < kReplicates; ++r) {
        const BatterEntry e = resampledSeason(batters, 11, r)[0];
        const int hits = e.singles + e.doubles + e.triples + e.homeRuns;
        const double counts[6] = {double(e.singles),  double(e.doubles), double(e.triples),
                                  double(e.homeRuns), double(e.walks),   double(e.atBats - hits)};
        for (int k = 0; k < 6; ++k) sums[k] += counts[k];
        singlesSquares += counts[0] * counts[0];
    }
    // Summed over the replicates the counts are one multinomial of
    // 2000 * 550 draws: chi-square with 5 degrees of freedom, 20.5 at 0.1 %.
    const double draws = kReplicates * 550.0;
    double chiSquare = 0.0;
    for (int k = 0; k < 6; ++k) {
        const double expected = draws * shares[k];
        chiSquare += (sums[k] - expected) * (sums[k] - expected) / expected;
    }
    EXPECT_LT(chiSquare, 20.5);
    // Each season's singles spread as a binomial's: n p (1 - p) = 81.8.
    const double mean = sums[0] / kReplicates;
    const double variance = singlesSquares / kReplicates - mean * mean;
    EXPECT_NEAR(variance, 550 * shares[0] * (1 - shares[0]), 0.15 * 81.8);
}

TEST(SplitMix64, DrawsBelowABoundEvenly) {
    SplitMix64 random(42);
    int counts[3] = {};
    for (int i = 0; i < 30000; ++i) ++counts[random.below(3)];
    for (const int c : counts) EXPECT_NEAR(c, 10000, 400);
    EXPECT_EQ(SplitMix64(42).next(), SplitMix64(42).next());
    EXPECT_NE(replicateGenerator(1, 0).next(), replicateGenerator(1, 1).next());
}

// Against figures worked out here from each replicate's seasons directly.
TEST(ResampleOrders, FiguresAreThoseOfEachReplicatesSeason) {
    const std::vector<BattingOrder> orders = abcdeOrders();
    const std::vector<std::uint32_t> ranked = pointRanking(expectedRuns(kExample, orders));
    constexpr std::uint32_t kReplicates = 5;
    const ResampleSummary summary =
        resampleOrders(kExample, orders, ranked, 3, optionsFor(kReplicates));
    ASSERT_EQ(summary.replicates, kReplicates);

    std::vector<std::vector<double>> runs;
    std::vector<double> best;
    std::vector<std::uint32_t> bestPlace;
    double pointBestCost = 0.0;
    for (std::uint32_t r = 0; r < kReplicates; ++r) {
        runs.push_back(expectedRuns(resampledSeason(kExample, 7, r), orders));
        const auto top = std::max_element(runs[r].begin(), runs[r].end());
        best.push_back(*top);
        bestPlace.push_back(static_cast<std::uint32_t>(top - runs[r].begin()));
        pointBestCost += *top - runs[r][ranked[0]];
    }
    EXPECT_NEAR(summary.pointBest.cost, pointBestCost / kReplicates, 1e-12);
    // abcdefghi is the first order of the selection.
    EXPECT_EQ(orderText(summary.entered.order), "abcdefghi");

    std::vector<std::uint32_t> distinct = bestPlace;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_EQ(summary.distinctBest, distinct.size());
    for (const std::uint32_t place : distinct) EXPECT_NE(find(summary, place), nullptr);

    for (const ResampledOrder& row : summary.orders) {
        std::vector<std::uint32_t> ranks;
        std::vector<double> gaps;
        std::uint32_t timesBest = 0;
        for (std::uint32_t r = 0; r < kReplicates; ++r) {
            const double mine = runs[r][row.index];
            ranks.push_back(
                1 + static_cast<std::uint32_t>(std::count_if(
                        runs[r].begin(), runs[r].end(), [mine](double v) { return v > mine; })));
            gaps.push_back(mine - best[r]);
            timesBest += bestPlace[r] == row.index;
        }
        std::sort(ranks.begin(), ranks.end());
        std::sort(gaps.begin(), gaps.end());
        ASSERT_TRUE(row.known);
        EXPECT_EQ(row.timesBest, timesBest);
        EXPECT_EQ(row.medianRank, ranks[2]);
        // 5 % of the way from the lowest to the second (type 7 over five).
        EXPECT_NEAR(row.gapLow, gaps[0] + 0.2 * (gaps[1] - gaps[0]), 1e-12);
        EXPECT_NEAR(row.gapHigh, gaps[3] + 0.8 * (gaps[4] - gaps[3]), 1e-12);
    }
}

// An order found best that the first pass did not follow gets the figures a
// followed one would, from the second pass; and they do not depend on jobs.
TEST(ResampleOrders, SecondPassAndJobsGiveTheSameFigures) {
    const std::vector<BattingOrder> orders = abcdeOrders();
    const std::vector<std::uint32_t> ranked = pointRanking(expectedRuns(kExample, orders));
    const ResampleSummary followed = resampleOrders(kExample, orders, ranked, 1, optionsFor(30));
    const std::vector<std::uint32_t> bestOnly{ranked[0]};
    const ResampleSummary found = resampleOrders(kExample, orders, bestOnly, 1, optionsFor(30, 2));
    ASSERT_GE(found.orders.size(), 3U);
    EXPECT_EQ(found.orders.size(), followed.orders.size());
    for (const ResampledOrder& row : found.orders) {
        const ResampledOrder* same = find(followed, row.index);
        ASSERT_NE(same, nullptr);
        EXPECT_TRUE(row.known);
        EXPECT_EQ(row.timesBest, same->timesBest);
        EXPECT_EQ(row.medianRank, same->medianRank);
        EXPECT_EQ(row.gapLow, same->gapLow);
        EXPECT_EQ(row.gapHigh, same->gapHigh);
    }
    EXPECT_EQ(resampleText(found).substr(0, 200), resampleText(followed).substr(0, 200));
}

// With a few cells a pass, orders found best are settled by further passes
// (one by one against the kept top values, or over every order again) to
// the figures they get when followed from the start.
TEST(ResampleOrders, FurtherPassesWithFewCellsGiveTheSameFigures) {
    const std::vector<BattingOrder> orders = abcdeOrders();
    const std::vector<std::uint32_t> ranked = pointRanking(expectedRuns(kExample, orders));
    const ResampleSummary followed = resampleOrders(kExample, orders, ranked, 24, optionsFor(30));
    const std::vector<std::uint32_t> bestOnly{ranked[0]};
    struct Case {
        std::size_t cells;
        bool allRanked;  // else only the best is followed
        int passes;      // the last pass
    };
    // Two cells an order: every order found best gets a pass of the whole
    // selection. Twelve: the twelve followed first, the other twelve one by
    // one, then over every order again, as their ranks lie below the twelve
    // top values kept. Thirty: one by one, every rank among the 24 kept.
    for (const Case c : {Case{30 * 2, false, 3}, Case{30 * 12, true, 3}, Case{30 * 30, false, 2}}) {
        ResampleOptions options = optionsFor(30);
        options.cellBudget = c.cells;
        int passes = 0;
        options.onReplicate = [&passes](int pass, std::uint32_t, std::uint32_t) {
            passes = std::max(passes, pass);
        };
        const std::vector<std::uint32_t>& given = c.allRanked ? ranked : bestOnly;
        const ResampleSummary found =
            resampleOrders(kExample, orders, given, c.allRanked ? 24 : 1, options);
        EXPECT_GE(passes, c.passes) << c.cells;
        if (c.passes == 2) {
            EXPECT_EQ(passes, 2);
        }
        ASSERT_GE(found.orders.size(), 3U);
        for (const ResampledOrder& row : found.orders) {
            const ResampledOrder* same = find(followed, row.index);
            ASSERT_NE(same, nullptr);
            EXPECT_TRUE(row.known);
            EXPECT_EQ(row.timesBest, same->timesBest);
            EXPECT_EQ(row.medianRank, same->medianRank) << c.cells << " " << row.index;
            EXPECT_EQ(row.gapLow, same->gapLow);
            EXPECT_EQ(row.gapHigh, same->gapHigh);
        }
    }
}

// A hundred seasons' worth of the same shares: the gaps spread about a tenth
// as wide, fewer orders come out best, the point's best more often.
TEST(ResampleOrders, LargerCountsMakeTheBestOrderSurer) {
    BatterTable large = kExample;
    for (BatterEntry& e : large) {
        e.atBats *= 100;
        e.singles *= 100;
        e.doubles *= 100;
        e.triples *= 100;
        e.homeRuns *= 100;
        e.walks *= 100;
    }
    const std::vector<BattingOrder> orders = abcdeOrders();
    const std::vector<std::uint32_t> ranked = pointRanking(expectedRuns(kExample, orders));
    ASSERT_EQ(pointRanking(expectedRuns(large, orders)), ranked);
    const ResampleSummary small = resampleOrders(kExample, orders, ranked, 24, optionsFor(100, 2));
    const ResampleSummary sure = resampleOrders(large, orders, ranked, 24, optionsFor(100, 2));
    EXPECT_LT(sure.distinctBest, small.distinctBest);
    EXPECT_GT(sure.pointBest.share, small.pointBest.share);
    EXPECT_LT(sure.pointBest.cost, small.pointBest.cost);
    // The last of the 24 is behind every season's best: its interval is the
    // spread of its gap, as wide as the counts' noise makes it.
    const double smallWidth = small.orders.back().gapHigh - small.orders.back().gapLow;
    const double sureWidth = sure.orders.back().gapHigh - sure.orders.back().gapLow;
    EXPECT_GT(sureWidth / smallWidth, 0.05);
    EXPECT_LT(sureWidth / smallWidth, 0.2);
}

// Nine batters alike: the last four places' batters are drawn alike, so each
// of their 24 orders is best in about 1/24 of the seasons.
TEST(ResampleOrders, NineBattersAlikeFavourNoOrder) {
    BatterTable alike{};
    alike.fill(BatterEntry{400, 100, 20, 2, 10, 50, 0.25, 0.5, 0.4});
    const std::vector<BattingOrder> orders = abcdeOrders();
    std::vector<std::uint32_t> ranked(orders.size());
    std::iota(ranked.begin(), ranked.end(), 0U);
    constexpr std::uint32_t kReplicates = 480;
    const ResampleSummary summary =
        resampleOrders(alike, orders, ranked, 24, optionsFor(kReplicates, 2));
    ASSERT_EQ(summary.orders.size(), 24U);
    // Chi-square with 23 degrees of freedom, 49.7 at 0.1 %.
    const double expected = kReplicates / 24.0;
    double chiSquare = 0.0;
    for (const ResampledOrder& row : summary.orders) {
        chiSquare += (row.timesBest - expected) * (row.timesBest - expected) / expected;
    }
    EXPECT_LT(chiSquare, 49.7);
    EXPECT_GT(summary.distinctBest, 20U);
}

TEST(ResampleOrders, StopKeepsTheReplicatesDone) {
    const std::vector<BattingOrder> orders = abcdeOrders();
    const std::vector<std::uint32_t> ranked = pointRanking(expectedRuns(kExample, orders));
    std::atomic<bool> stop{false};
    ResampleOptions options = optionsFor(50);
    options.stop = &stop;
    options.onReplicate = [&stop](int, std::uint32_t done, std::uint32_t) {
        if (done == 4) stop = true;
    };
    const ResampleSummary summary = resampleOrders(kExample, orders, ranked, 2, options);
    EXPECT_EQ(summary.replicates, 4U);
    EXPECT_EQ(summary.requested, 50U);
    ASSERT_FALSE(summary.orders.empty());
    EXPECT_NE(resampleText(summary).find("（50 回のうち、中断）"), std::string::npos);
}

}  // namespace
}  // namespace diz
