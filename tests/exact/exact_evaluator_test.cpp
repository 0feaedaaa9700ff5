#include "diz/exact/exact_evaluator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "exact/order_solver.h"
#include "exact_lineups.h"

namespace diz::exact {
namespace {

EvaluationOptions withJobs(int jobs, bool shareRotations) {
    EvaluationOptions options;
    options.jobs = jobs;
    options.shareRotations = shareRotations;
    return options;
}

using test::kNatural;

BattingOrder rotated(const BattingOrder& order, int k) {
    BattingOrder r{};
    for (int i = 0; i < kLineupSize; ++i) r[i] = order[(i + k) % kLineupSize];
    return r;
}

void expectSameFigures(const ExactFigures& a, const ExactFigures& b, double tolerance) {
    EXPECT_NEAR(a.meanRuns, b.meanRuns, tolerance);
    EXPECT_NEAR(a.sdRuns, b.sdRuns, tolerance);
    for (int i = 0; i < kInnings; ++i) {
        EXPECT_NEAR(a.inningRuns[i], b.inningRuns[i], tolerance) << "inning " << i + 1;
        EXPECT_NEAR(a.inningScoring[i], b.inningScoring[i], tolerance) << "inning " << i + 1;
    }
}

TEST(ExactEvaluator, InningsAddUpToTheGame) {
    ExactEvaluator evaluator(test::mixedBatters());
    for (const BattingOrder& order : {kNatural, BattingOrder{8, 2, 5, 0, 7, 1, 4, 6, 3}}) {
        const ExactFigures f = evaluator.evaluate(order);
        const double sum = std::accumulate(f.inningRuns.begin(), f.inningRuns.end(), 0.0);
        EXPECT_NEAR(sum, f.meanRuns, 1e-12 * f.meanRuns);
        for (int i = 0; i < kInnings; ++i) {
            EXPECT_GT(f.inningScoring[i], 0.0);
            EXPECT_LE(f.inningScoring[i], f.inningRuns[i]);
        }
    }
}

// The nine rotations share their half-innings but not their games: the first
// inning is led off by a different batter.
TEST(ExactEvaluator, RotationsShareInningsButNotResults) {
    ExactEvaluator evaluator(test::mixedBatters());
    OrderSolver solver(test::mixedBatters());
    const BattingOrder order{3, 0, 8, 5, 1, 7, 2, 6, 4};
    const auto shared = evaluator.evaluateRotations(order);
    for (int k = 0; k < kLineupSize; ++k) {
        SCOPED_TRACE(k);
        expectSameFigures(shared[k], evaluator.evaluate(rotated(order, k)), 1e-12);
        const HalfInningTable own = solver.halfInnings(rotated(order, k));
        const HalfInningTable base = solver.halfInnings(order);
        EXPECT_NEAR(own.meanRuns[0], base.meanRuns[k], 1e-12);
    }
    for (int k = 1; k < kLineupSize; ++k) {
        EXPECT_NE(shared[k].meanRuns, shared[0].meanRuns);
        EXPECT_NE(shared[k].inningRuns[0], shared[0].inningRuns[0]);
    }
}

TEST(ExactEvaluator, RepeatedBatterBehavesLikeNineCopies) {
    const BatterRecord ref = test::referenceBatter();
    exact::Batters batters = test::mixedBatters();
    batters[4] = ref;
    ExactEvaluator mixed(batters);
    ExactEvaluator copies(test::nineCopies(ref));
    expectSameFigures(mixed.evaluate(BattingOrder{4, 4, 4, 4, 4, 4, 4, 4, 4}),
                      copies.evaluate(kNatural), 1e-12);
}

// Every 400th ordering, and all rotations of a few, so some share solves.
std::vector<BattingOrder> sampleOrders() {
    const auto all = allOrders();
    std::vector<BattingOrder> orders;
    for (std::size_t i = 0; i < all.size(); i += 400) orders.push_back(all[i]);
    for (int k = 0; k < kLineupSize; ++k) {
        orders.push_back(rotated(BattingOrder{2, 7, 1, 8, 0, 3, 6, 4, 5}, k));
    }
    orders.push_back(BattingOrder{0, 0, 1, 1, 0, 0, 1, 1, 2});  // repeated letters
    orders.push_back(orders.front());                           // and a repeated order
    return orders;
}

// The figures of a stream handed `orders` in batches of `batch`.
std::vector<ExactFigures> streamed(const std::vector<BattingOrder>& orders, std::size_t batch,
                                   const EvaluationOptions& options, KeptFigures kept = {},
                                   EvaluationStats* stats = nullptr) {
    OrderStream stream(test::mixedBatters(), options, kept);
    std::vector<ExactFigures> figures(orders.size());
    for (std::size_t first = 0; first < orders.size(); first += batch) {
        const std::size_t count = std::min(batch, orders.size() - first);
        EXPECT_TRUE(stream.evaluate(std::span(orders).subspan(first, count),
                                    std::span(figures).subspan(first, count)));
    }
    if (stats != nullptr) *stats = stream.stats();
    return figures;
}

bool sameBits(const std::vector<ExactFigures>& a, const std::vector<ExactFigures>& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(ExactFigures)) == 0;
}

TEST(EvaluateOrders, SameFiguresForEveryJobCountAndWithoutSharing) {
    const std::vector<BattingOrder> orders = sampleOrders();
    const exact::Batters batters = test::mixedBatters();
    EvaluationStats one, two, unshared;
    const auto byOne = evaluateOrders(batters, orders, withJobs(1, true), &one);
    const auto byTwo = evaluateOrders(batters, orders, withJobs(2, true), &two);
    const auto alone = evaluateOrders(batters, orders, withJobs(2, false), &unshared);

    ASSERT_EQ(byOne.size(), orders.size());
    EXPECT_TRUE(sameBits(byOne, byTwo));
    EXPECT_EQ(unshared.halfInningSolves, orders.size());
    EXPECT_LT(one.halfInningSolves, orders.size() - 8);
    for (std::size_t i = 0; i < orders.size(); ++i) {
        SCOPED_TRACE(orderText(orders[i]));
        expectSameFigures(byOne[i], alone[i], 1e-11);
    }
}

// Batches that end inside a run of solves carry the run's solver on, so the
// warm starts, and with them every bit of the figures, are those of one call.
TEST(OrderStream, AnyBatchingGivesTheFiguresOfOneCall) {
    const std::vector<BattingOrder> orders = sampleOrders();
    const auto whole = evaluateOrders(test::mixedBatters(), orders, withJobs(2, true));
    EXPECT_TRUE(sameBits(streamed(orders, 1, withJobs(2, true)), whole));
    EXPECT_TRUE(sameBits(streamed(orders, 37, withJobs(1, true)), whole));

    // Only the expected runs when nothing else is kept.
    const auto meansOnly =
        streamed(orders, 300, withJobs(2, true), KeptFigures{false, false, false});
    for (std::size_t i = 0; i < orders.size(); ++i) {
        ASSERT_EQ(meansOnly[i].meanRuns, whole[i].meanRuns);
        ASSERT_EQ(meansOnly[i].sdRuns, 0.0);
        ASSERT_EQ(meansOnly[i].inningScoring[8], 0.0);
    }
}

// Remembering fewer sets than come, a set that comes again is solved again:
// the same figures to within the tolerance, and still the same for every
// batching.
TEST(OrderStream, ForgottenSetsAreSolvedAgain) {
    std::vector<BattingOrder> orders = sampleOrders();
    const std::size_t firstPass = orders.size();
    orders.insert(orders.end(), orders.begin(), orders.begin() + 200);
    EvaluationOptions forgetful = withJobs(2, true);
    forgetful.rememberedSets = 50;
    EvaluationStats stats;
    const auto byOne = streamed(orders, 1, forgetful, {}, &stats);
    EXPECT_TRUE(sameBits(streamed(orders, 333, forgetful), byOne));
    EXPECT_GT(stats.halfInningSolves, firstPass);

    const auto whole = evaluateOrders(test::mixedBatters(), orders, withJobs(2, true));
    for (std::size_t i = 0; i < orders.size(); ++i) {
        SCOPED_TRACE(orderText(orders[i]));
        expectSameFigures(byOne[i], whole[i], 1e-11);
    }
}

TEST(EvaluateOrders, ReportsLineupsCutByTheCap) {
    exact::Batters batters = test::mixedBatters();
    const std::vector<BattingOrder> ordinary{kNatural};
    EvaluationStats stats;
    evaluateOrders(batters, ordinary, withJobs(2, true), &stats);
    EXPECT_FALSE(stats.capped);

    for (auto& b : batters) b.pWalk = 1.0 - b.pSingle;  // nobody can make an out
    const std::vector<BattingOrder> orders{kNatural, rotated(kNatural, 4)};
    const auto figures = evaluateOrders(batters, orders, withJobs(2, true), &stats);
    EXPECT_TRUE(stats.capped);
    EXPECT_EQ(stats.halfInningSolves, 1u);
    ExactEvaluator evaluator(batters);
    expectSameFigures(figures[1], evaluator.evaluate(orders[1]), 1e-9);
    EXPECT_GT(figures[0].meanRuns, 9 * 900.0);  // about 1000 plate appearances an inning
}

TEST(AllOrders, EveryOrderingOnceInLexicographicOrder) {
    const auto all = allOrders();
    ASSERT_EQ(all.size(), 362880u);
    EXPECT_EQ(orderText(all.front()), "abcdefghi");
    EXPECT_EQ(orderText(all.back()), "ihgfedcba");
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

}  // namespace
}  // namespace diz::exact
