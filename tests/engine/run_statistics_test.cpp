#include "engine/run_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace diz::engine {
namespace {

TEST(RunStatistics, OneGameHasNoSpread) {
    std::vector<std::uint16_t> perGame(1);
    RunStatistics stats(perGame.data());
    const std::uint32_t innings[kInnings] = {0, 0, 0, 3, 0, 0, 0, 0, 1};
    stats.addGame(innings);
    double mean, se, runs[kInnings], scoring[kInnings];
    stats.finish(&mean, &se, runs, scoring);
    EXPECT_EQ(mean, 4.0);
    EXPECT_EQ(se, 0.0);
    EXPECT_EQ(runs[3], 3.0);
    EXPECT_EQ(scoring[3], 1.0);
    EXPECT_EQ(scoring[0], 0.0);
}

TEST(RunStatistics, StandardErrorUsesThePopulationDeviation) {
    std::vector<std::uint16_t> perGame(4);
    RunStatistics stats(perGame.data());
    for (std::uint32_t g : {1u, 3u, 5u, 7u}) {
        const std::uint32_t innings[kInnings] = {g, 0, 0, 0, 0, 0, 0, 0, 0};
        stats.addGame(innings);
    }
    double mean, se, runs[kInnings], scoring[kInnings];
    stats.finish(&mean, &se, runs, scoring);
    EXPECT_EQ(mean, 4.0);
    EXPECT_DOUBLE_EQ(se, std::sqrt(20.0) / 4.0);  // sqrt(sum of squares) / games
    EXPECT_EQ(scoring[0], 1.0);
}

// Totals beyond 2^32 must not wrap: 200000 games of 36000 runs each add up to
// 7.2e9 runs, and per inning to 8e8 — past 32 bits in total, not per inning.
TEST(RunStatistics, TotalsBeyondThirtyTwoBitsStayExact) {
    constexpr std::uint32_t kGames = 200000;
    std::vector<std::uint16_t> perGame(kGames);
    RunStatistics stats(perGame.data());
    const std::uint32_t innings[kInnings] = {4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000};
    for (std::uint32_t g = 0; g < kGames; ++g) stats.addGame(innings);
    double mean, se, runs[kInnings], scoring[kInnings];
    stats.finish(&mean, &se, runs, scoring);
    EXPECT_EQ(mean, 36000.0);
    EXPECT_EQ(se, 0.0);
    for (int k = 0; k < kInnings; ++k) {
        EXPECT_EQ(runs[k], 4000.0);
        EXPECT_EQ(scoring[k], 1.0);
    }
}

}  // namespace
}  // namespace diz::engine
