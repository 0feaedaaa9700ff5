#include "engine/game.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <vector>

#include "engine/random_source.h"
#include "support/reference_game.h"
#include "tests/engine/test_lineups.h"

namespace diz::engine {
namespace {

using test::LineupPointers;

// Feeds chosen 15-bit values to the game and counts what it consumed.
struct ScriptedDraws {
    std::vector<std::uint32_t> values;
    std::size_t used = 0;
    std::uint32_t next15() {
        if (used >= values.size()) {
            ADD_FAILURE() << "the game drew more values than scripted";
            return 0;
        }
        return values[used++];
    }
};

// Outcome draws for the scripted batter below: single 0.25, double 0.125,
// triple 0.125, home run 0.125, walk 0.125, out 0.25, so each outcome owns an
// exact block of 15-bit values.
constexpr std::uint32_t kSingleDraw = 0, kDoubleDraw = 8192, kTripleDraw = 12288,
                        kHomeRunDraw = 16384, kWalkDraw = 20480, kOutDraw = 30000;
// A thousandths draw of k/1000 for k in 0..1000 is the 15-bit value k.
constexpr std::uint32_t thousandths(std::uint32_t k) { return k; }

BatterRecord scriptedBatter(double rate1B1to3 = 0.5, double rate1B2to4 = 0.5,
                            double rate2B1to4 = 0.5) {
    return BatterRecord{'a', 0.25, 0.125, 0.125, 0.125, 0.125, rate1B1to3, rate1B2to4, rate2B1to4};
}

struct Situation {
    std::array<BatterRecord, kLineupSize> records;
    LineupTables tables;
    InningState state;

    // Batter at position 0 is up; runners are given by batting position + 1.
    explicit Situation(std::array<BatterRecord, kLineupSize> r, std::uint32_t first = 0,
                       std::uint32_t second = 0, std::uint32_t third = 0)
        : records(r) {
        const LineupPointers p = test::pointersTo(records);
        tables = makeLineupTables(p.data());
        state.first = first;
        state.second = second;
        state.third = third;
    }
    std::size_t play(std::initializer_list<std::uint32_t> draws) {
        ScriptedDraws d{draws};
        playPlateAppearance(state, tables, d);
        EXPECT_EQ(d.used, d.values.size()) << "scripted draws left unused";
        return d.used;
    }
};

std::array<BatterRecord, kLineupSize> allScripted() {
    std::array<BatterRecord, kLineupSize> r;
    r.fill(scriptedBatter());
    return r;
}

constexpr std::uint32_t kBatter = 1;  // position 0 on base
constexpr std::uint32_t kRunnerA = 7, kRunnerB = 8, kRunnerC = 9;

TEST(SingleRules, RunnerHeldAtThirdLeavesFirstRunnerAtSecondWithoutADraw) {
    Situation s(allScripted(), kRunnerA, kRunnerB);
    s.play({kSingleDraw, thousandths(600)});  // 0.6 > 0.5: held
    EXPECT_EQ(s.state.runs, 0u);
    EXPECT_EQ(s.state.third, kRunnerB);
    EXPECT_EQ(s.state.second, kRunnerA);
    EXPECT_EQ(s.state.first, kBatter);
}

TEST(SingleRules, RunnerFromSecondScoresThenRunnerFromFirstDrawsForThird) {
    Situation s(allScripted(), kRunnerA, kRunnerB, kRunnerC);
    s.play({kSingleDraw, thousandths(500), thousandths(500)});
    EXPECT_EQ(s.state.runs, 2u);  // from third always, from second on 0.5 <= 0.5
    EXPECT_EQ(s.state.third, kRunnerA);
    EXPECT_EQ(s.state.second, 0u);
    EXPECT_EQ(s.state.first, kBatter);
}

TEST(SingleRules, LoneRunnerOnFirstReachesThirdOnSuccess) {
    Situation s(allScripted(), kRunnerA);
    s.play({kSingleDraw, thousandths(0)});
    EXPECT_EQ(s.state.runs, 0u);
    EXPECT_EQ(s.state.third, kRunnerA);
    EXPECT_EQ(s.state.second, 0u);
    EXPECT_EQ(s.state.first, kBatter);
}

TEST(SingleRules, EachRunnerUsesHisOwnRate) {
    auto records = allScripted();
    records[6] = scriptedBatter(0.5, 1.0, 0.5);  // runner on second always scores
    records[0] = scriptedBatter(0.0, 0.0, 0.0);  // the batter never would
    Situation s(records, 0, kRunnerA);
    s.play({kSingleDraw, thousandths(1000)});
    EXPECT_EQ(s.state.runs, 1u);
    EXPECT_EQ(s.state.first, kBatter);
    EXPECT_EQ(s.state.second, 0u);
    EXPECT_EQ(s.state.third, 0u);
}

TEST(AdvancementRates, BoundaryRatesSucceedExactlyWhenTheyShould) {
    struct Case {
        double rate;
        std::uint32_t draw;
        bool scores;
    };
    for (const Case c : {Case{1.0, 1000, true}, Case{0.0, 0, true}, Case{0.0, 1, false},
                         Case{1.5, 1000, true}, Case{-0.1, 0, false}}) {
        auto records = allScripted();
        records[6] = scriptedBatter(0.5, 0.5, c.rate);
        Situation s(records, kRunnerA);
        s.play({kDoubleDraw, thousandths(c.draw)});
        EXPECT_EQ(s.state.runs, c.scores ? 1u : 0u) << "rate " << c.rate << " draw " << c.draw;
        EXPECT_EQ(s.state.third, c.scores ? 0u : kRunnerA);
        EXPECT_EQ(s.state.second, kBatter);
        EXPECT_EQ(s.state.first, 0u);
    }
}

TEST(DoubleRules, RunnersOnSecondAndThirdScoreWithoutDraws) {
    Situation s(allScripted(), 0, kRunnerA, kRunnerB);
    EXPECT_EQ(s.play({kDoubleDraw}), 1u);
    EXPECT_EQ(s.state.runs, 2u);
    EXPECT_EQ(s.state.second, kBatter);
    EXPECT_EQ(s.state.third, 0u);
}

TEST(WalkRules, OnlyForcedRunnersMove) {
    Situation loaded(allScripted(), kRunnerA, kRunnerB, kRunnerC);
    loaded.play({kWalkDraw});
    EXPECT_EQ(loaded.state.runs, 1u);
    EXPECT_EQ(loaded.state.third, kRunnerB);
    EXPECT_EQ(loaded.state.second, kRunnerA);
    EXPECT_EQ(loaded.state.first, kBatter);

    Situation gap(allScripted(), 0, kRunnerA, kRunnerB);
    gap.play({kWalkDraw});
    EXPECT_EQ(gap.state.runs, 0u);
    EXPECT_EQ(gap.state.third, kRunnerB);
    EXPECT_EQ(gap.state.second, kRunnerA);
    EXPECT_EQ(gap.state.first, kBatter);
}

TEST(LongHits, TripleAndHomeRunClearTheBases) {
    Situation triple(allScripted(), kRunnerA, 0, kRunnerB);
    triple.play({kTripleDraw});
    EXPECT_EQ(triple.state.runs, 2u);
    EXPECT_EQ(triple.state.third, kBatter);
    EXPECT_EQ(triple.state.first + triple.state.second, 0u);

    Situation homer(allScripted(), kRunnerA, kRunnerB, kRunnerC);
    homer.play({kHomeRunDraw});
    EXPECT_EQ(homer.state.runs, 4u);
    EXPECT_EQ(homer.state.first + homer.state.second + homer.state.third, 0u);

    Situation out(allScripted(), kRunnerA, kRunnerB, kRunnerC);
    out.play({kOutDraw});
    EXPECT_EQ(out.state.outs, 1u);
    EXPECT_EQ(out.state.runs, 0u);
    EXPECT_EQ(out.state.third, kRunnerC);
}

// Counts the draws a game consumes.
struct CountingDraws {
    RandomSource random;
    std::uint64_t count = 0;
    std::uint32_t next15() {
        ++count;
        return random.next15();
    }
};

TEST(Game, AllOutLineupTakesThreeAppearancesPerInning) {
    const BatterRecord out = test::allOutBatter();
    const LineupPointers lineup = test::nineOf(out);
    const LineupTables tables = makeLineupTables(lineup.data());
    CountingDraws draws;
    std::uint32_t runs[kInnings];
    playGame(tables, draws, runs);
    EXPECT_EQ(draws.count, 27u);
    for (std::uint32_t r : runs) EXPECT_EQ(r, 0u);

    InningState s;  // inning 4 starts with position 0 again
    for (int pa = 0; pa < kLineupSize; ++pa) playPlateAppearance(s, tables, draws);
    EXPECT_EQ(s.position, 0u);
}

TEST(Game, LineupThatCannotMakeAnOutEndsEachInningAtTheCap) {
    const BatterRecord walker{'a', 0, 0, 0, 0, 1.0, 0, 0, 0};
    const LineupPointers lineup = test::nineOf(walker);
    const LineupTables tables = makeLineupTables(lineup.data());
    CountingDraws draws;
    std::uint32_t runs[kInnings];
    playGame(tables, draws, runs);
    EXPECT_EQ(draws.count, 9 * kMaxPlateAppearancesPerInning);
    for (std::uint32_t r : runs) EXPECT_EQ(r, kMaxPlateAppearancesPerInning - 3);
}

// The integer fast path must make the same decisions, in the same order, as
// the plain transcription with doubles, for ordinary and odd batters alike.
TEST(Game, FastPathMatchesThePlainRulesGameForGame) {
    std::mt19937_64 gen(2024);
    std::uniform_real_distribution<double> p(0.0, 0.12);
    std::uniform_real_distribution<double> rate(-0.2, 1.2);
    for (int lineupNo = 0; lineupNo < 40; ++lineupNo) {
        std::array<BatterRecord, kLineupSize> records;
        for (BatterRecord& b : records) {
            b = BatterRecord{'a',    p(gen) * 2, p(gen),    p(gen) / 4, p(gen),
                             p(gen), rate(gen),  rate(gen), rate(gen)};
        }
        if (lineupNo == 0) records.fill(test::referenceBatter());
        if (lineupNo == 1) records[3].pSingle = 0.9;  // a batter who rarely makes outs
        const LineupPointers lineup = test::pointersTo(records);
        const LineupTables tables = makeLineupTables(lineup.data());
        RandomSource fast, plain;
        for (int game = 0; game < 500; ++game) {
            std::uint32_t a[kInnings], b[kInnings];
            playGame(tables, fast, a);
            support::referenceGame(lineup.data(), plain, b);
            for (int k = 0; k < kInnings; ++k) ASSERT_EQ(a[k], b[k]) << "lineup " << lineupNo;
            ASSERT_EQ(fast.state, plain.state) << "draws differ, lineup " << lineupNo;
        }
    }
}

}  // namespace
}  // namespace diz::engine
