// The direct solve round the batting cycle against following every plate
// appearance, and its lane paths against one another.
#include "exact/cycle_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "exact/order_solver.h"
#include "exact_lineups.h"

namespace diz::exact {
namespace {

PositionedLineup positioned(const std::array<QuantisedBatter, kLineupSize>& batters,
                            const BattingOrder& order) {
    PositionedLineup lineup{};
    for (int i = 0; i < kLineupSize; ++i) lineup[i] = &batters[order[i]];
    return lineup;
}

std::array<QuantisedBatter, kLineupSize> quantised(const Batters& batters) {
    std::array<QuantisedBatter, kLineupSize> q;
    for (int i = 0; i < kLineupSize; ++i) q[i] = quantise(batters[i]);
    return q;
}

// Every figure of the two tables within `relative` of each other.
void expectSameTable(const HalfInningTable& a, const HalfInningTable& b, double relative) {
    const auto near = [relative](double x, double y) {
        return std::abs(x - y) <= relative * std::max(std::abs(x), std::abs(y));
    };
    for (int p = 0; p < kLineupSize; ++p) {
        SCOPED_TRACE(testing::Message() << "leadoff " << p);
        for (int q = 0; q < kLineupSize; ++q) {
            EXPECT_PRED2(near, a.nextLeadoff[p][q], b.nextLeadoff[p][q]) << "next " << q;
            EXPECT_PRED2(near, a.runsByNext[p][q], b.runsByNext[p][q]) << "next " << q;
        }
        EXPECT_PRED2(near, a.meanRuns[p], b.meanRuns[p]);
        EXPECT_PRED2(near, a.meanSquareRuns[p], b.meanSquareRuns[p]);
        EXPECT_PRED2(near, a.scoreless[p], b.scoreless[p]);
    }
}

// Followed plate appearance by plate appearance, an inning of these lineups
// practically never reaches the cap, so both solves compute the same
// figures: the direct solve's composing, factoring and substituting back lose
// no more than rounding.
TEST(CycleSolver, AgreesWithFollowingEveryPlateAppearance) {
    CappedInningSolver played;
    CycleSolver direct(LanePath::kOne);
    for (const auto& [name, batters] : test::checkedBatters()) {
        SCOPED_TRACE(name);
        const auto q = quantised(batters);
        for (const BattingOrder& order :
             {test::kNatural, BattingOrder{7, 2, 5, 0, 8, 3, 1, 6, 4}}) {
            const PositionedLineup lineup = positioned(q, order);
            ASSERT_FALSE(needsCap(lineup));
            expectSameTable(direct.table(lineup), played.solve(lineup), 1e-12);
        }
    }
}

// Orders enough for full groups of every width and a part group after them.
std::vector<BattingOrder> someOrders() {
    std::vector<BattingOrder> orders;
    const auto all = test::allOrderings();
    for (std::size_t i = 0; i < all.size() && orders.size() < 19; i += 19937) {
        orders.push_back(all[i]);
    }
    orders.push_back(BattingOrder{3, 3, 3, 3, 3, 3, 3, 3, 3});
    return orders;
}

std::vector<RotationFigures> solvedBy(LanePath path, const Batters& batters,
                                      const std::vector<BattingOrder>& orders,
                                      const KeptFigures& kept) {
    OrderSolver solver(batters, path);
    std::vector<RotationFigures> figures(orders.size());
    solver.rotations(orders, kept, figures);
    return figures;
}

// Each lane does what one lane alone does, so the widest path this machine
// has gives the bits of the plain x86-64 path, whatever the other lanes of
// its group hold and for every choice of figures.
TEST(CycleSolver, EveryLanePathGivesTheSameBits) {
    const std::vector<BattingOrder> orders = someOrders();
    int pathsRun = 0;
    for (const LanePath path : kLanePaths) {
        if (path == LanePath::kOne || !pathSupported(path)) continue;
        ++pathsRun;
        SCOPED_TRACE(pathName(path));
        for (const auto& [name, batters] : test::checkedBatters()) {
            SCOPED_TRACE(name);
            for (const KeptFigures kept : {KeptFigures{}, KeptFigures{false, false, false}}) {
                const auto wide = solvedBy(path, batters, orders, kept);
                const auto one = solvedBy(LanePath::kOne, batters, orders, kept);
                EXPECT_EQ(std::memcmp(wide.data(), one.data(), wide.size() * sizeof(wide[0])), 0);
            }
            const auto q = quantised(batters);
            CycleSolver wide(path);
            CycleSolver one(LanePath::kOne);
            const HalfInningTable a = wide.table(positioned(q, orders[3]));
            const HalfInningTable b = one.table(positioned(q, orders[3]));
            EXPECT_EQ(std::memcmp(&a, &b, sizeof(InningTable<1>)), 0);
        }
    }
    if (pathsRun == 0) GTEST_SKIP() << "this processor has no path wider than one lane";
}

}  // namespace
}  // namespace diz::exact
