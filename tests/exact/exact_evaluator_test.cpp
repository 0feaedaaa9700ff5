#include "diz/exact/exact_evaluator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <set>
#include <string>

#include "exact/order_solver.h"
#include "exact_lineups.h"

namespace diz::exact {
namespace {

using test::kNatural;
using test::rotated;

EvaluationOptions withJobs(int jobs) {
    EvaluationOptions options;
    options.jobs = jobs;
    return options;
}

void expectSameFigures(const ExactFigures& a, const ExactFigures& b, double relative) {
    const auto near = [relative](double x, double y) {
        return std::abs(x - y) <= relative * std::max(std::abs(x), std::abs(y));
    };
    EXPECT_PRED2(near, a.meanRuns, b.meanRuns);
    EXPECT_PRED2(near, a.sdRuns, b.sdRuns);
    for (int i = 0; i < kInnings; ++i) {
        EXPECT_PRED2(near, a.inningRuns[i], b.inningRuns[i]) << "inning " << i + 1;
        EXPECT_PRED2(near, a.inningScoring[i], b.inningScoring[i]) << "inning " << i + 1;
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
    const HalfInningTable base = solver.halfInnings(order);
    for (int k = 0; k < kLineupSize; ++k) {
        SCOPED_TRACE(k);
        expectSameFigures(shared[k], evaluator.evaluate(rotated(order, k)), 1e-13);
        const HalfInningTable own = solver.halfInnings(rotated(order, k));
        EXPECT_NEAR(own.meanRuns[0], base.meanRuns[k], 1e-13);
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
                      copies.evaluate(kNatural), 1e-13);
}

// Every 400th ordering, and all rotations of a few, so some share solves.
std::vector<BattingOrder> sampleOrders() {
    const auto all = test::allOrderings();
    std::vector<BattingOrder> orders;
    for (std::size_t i = 0; i < all.size(); i += 400) orders.push_back(all[i]);
    for (int k = 0; k < kLineupSize; ++k) {
        orders.push_back(rotated(BattingOrder{2, 7, 1, 8, 0, 3, 6, 4, 5}, k));
    }
    orders.push_back(BattingOrder{0, 0, 1, 1, 0, 0, 1, 1, 2});  // repeated letters
    orders.push_back(rotated(orders.back(), 3));
    orders.push_back(orders.front());  // and a repeated order
    return orders;
}

// The figures of a stream handed `orders` in batches of `batch`.
std::vector<ExactFigures> streamed(const std::vector<BattingOrder>& orders, std::size_t batch,
                                   const EvaluationOptions& options, KeptFigures kept = {},
                                   EvaluationStats* stats = nullptr,
                                   const exact::Batters& batters = test::mixedBatters()) {
    OrderStream stream(batters, options, kept);
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

// The sets of rotations among `orders`, each named by its smallest rotation.
std::size_t rotationSets(const std::vector<BattingOrder>& orders) {
    std::set<std::string> sets;
    for (const BattingOrder& order : orders) {
        std::string smallest = orderText(order);
        for (int k = 1; k < kLineupSize; ++k)
            smallest = std::min(smallest, orderText(rotated(order, k)));
        sets.insert(smallest);
    }
    return sets.size();
}

// Each order's figures come from its own set's solve, so neither the number
// of jobs nor the batching changes a bit.
TEST(OrderStream, EveryBatchingAndJobCountGivesTheSameBits) {
    const std::vector<BattingOrder> orders = sampleOrders();
    EvaluationStats stats;
    const auto whole = streamed(orders, orders.size(), withJobs(2), {}, &stats);
    EXPECT_TRUE(sameBits(streamed(orders, orders.size(), withJobs(1)), whole));
    EXPECT_TRUE(sameBits(streamed(orders, 1, withJobs(2)), whole));
    EXPECT_TRUE(sameBits(streamed(orders, 37, withJobs(1)), whole));
    EXPECT_EQ(stats.orders, orders.size());
    EXPECT_EQ(stats.halfInningSolves, rotationSets(orders));
    EXPECT_LT(stats.halfInningSolves, orders.size() - kLineupSize);
}

// A shared solve gives each rotation the figures of solving it alone.
TEST(OrderStream, FiguresAreThoseOfEachOrderAlone) {
    for (const auto& [name, batters] : test::checkedBatters()) {
        SCOPED_TRACE(name);
        const std::vector<BattingOrder> orders = sampleOrders();
        const auto figures = streamed(orders, 500, withJobs(2), {}, nullptr, batters);
        ExactEvaluator evaluator(batters);
        for (std::size_t i = 0; i < orders.size(); i += 7) {
            SCOPED_TRACE(orderText(orders[i]));
            expectSameFigures(figures[i], evaluator.evaluate(orders[i]), 1e-12);
        }
    }
}

// Each figure left out is zero; each kept one is that of the full solve to
// the bit, the expected runs always.
TEST(OrderStream, KeptFiguresAreThoseOfTheFullSolve) {
    const std::vector<BattingOrder> orders = sampleOrders();
    const auto whole = streamed(orders, orders.size(), withJobs(2));
    for (int mask = 0; mask < 8; ++mask) {
        const KeptFigures kept{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
        SCOPED_TRACE(mask);
        const auto some = streamed(orders, 300, withJobs(2), kept);
        for (std::size_t i = 0; i < orders.size(); ++i) {
            ASSERT_EQ(some[i].meanRuns, whole[i].meanRuns);
            ASSERT_EQ(some[i].sdRuns, kept.sdRuns ? whole[i].sdRuns : 0.0);
            for (int k = 0; k < kInnings; ++k) {
                ASSERT_EQ(some[i].inningRuns[k], kept.inningRuns ? whole[i].inningRuns[k] : 0.0);
                ASSERT_EQ(some[i].inningScoring[k],
                          kept.inningScoring ? whole[i].inningScoring[k] : 0.0);
            }
        }
    }
}

// Remembering fewer sets than come, a set that comes again is solved again,
// to the same bits.
TEST(OrderStream, ForgottenSetsAreSolvedAgainToTheSameFigures) {
    std::vector<BattingOrder> orders = sampleOrders();
    const std::size_t firstPass = orders.size();
    orders.insert(orders.end(), orders.begin(), orders.begin() + 200);
    EvaluationOptions forgetful = withJobs(2);
    forgetful.rememberedSets = 50;
    EvaluationStats stats;
    const auto byOne = streamed(orders, 1, forgetful, {}, &stats);
    EXPECT_TRUE(sameBits(streamed(orders, 333, forgetful), byOne));
    EXPECT_TRUE(sameBits(streamed(orders, orders.size(), withJobs(2)), byOne));
    EXPECT_GT(stats.halfInningSolves, firstPass);
}

TEST(OrderStream, LineupsCutByTheCapAreSolvedBesideTheOthers) {
    exact::Batters batters = test::mixedBatters();
    EvaluationStats stats;
    streamed({kNatural}, 1, withJobs(2), {}, &stats, batters);
    EXPECT_FALSE(stats.capped);

    // 'i' never makes an out: only the order of nine of him needs the cap.
    batters[8].pWalk = 1.0 - batters[8].pSingle;
    const BattingOrder outless{8, 8, 8, 8, 8, 8, 8, 8, 8};
    std::vector<BattingOrder> orders{kNatural, outless};
    for (int k = 1; k < kLineupSize; ++k) {
        orders.push_back(rotated(BattingOrder{4, 2, 8, 6, 1, 0, 3, 5, 7}, k));
    }
    const auto figures = streamed(orders, orders.size(), withJobs(2), {}, &stats, batters);
    EXPECT_TRUE(stats.capped);
    EXPECT_GT(figures[1].meanRuns, kInnings * 900.0);  // about 1000 plate appearances an inning
    ExactEvaluator evaluator(batters);
    for (std::size_t i = 0; i < orders.size(); ++i) {
        SCOPED_TRACE(orderText(orders[i]));
        expectSameFigures(figures[i], evaluator.evaluate(orders[i]), 1e-12);
    }
}

TEST(OrderStream, ProgressCountsEveryOrderAndCancelStopsTheSolves) {
    const std::vector<BattingOrder> orders = sampleOrders();
    std::atomic<std::size_t> largest{0};
    std::atomic<std::size_t> calls{0};
    EvaluationOptions options = withJobs(2);
    options.onProgress = [&](std::size_t done) {
        ++calls;
        std::size_t seen = largest.load();
        while (done > seen && !largest.compare_exchange_weak(seen, done)) {
        }
    };
    streamed(orders, orders.size(), options);
    EXPECT_EQ(largest.load(), orders.size());
    EXPECT_GT(calls.load(), 1u);

    std::atomic<bool> cancel{true};
    EvaluationOptions cancelled = withJobs(2);
    cancelled.cancel = &cancel;
    OrderStream stream(test::mixedBatters(), cancelled);
    std::vector<ExactFigures> figures(orders.size());
    EXPECT_FALSE(stream.evaluate(orders, figures));
    EXPECT_EQ(stream.stats().halfInningSolves, 0u);
    EXPECT_EQ(figures[0].meanRuns, 0.0);
}

}  // namespace
}  // namespace diz::exact
