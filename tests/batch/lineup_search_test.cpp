#include "batch/lineup_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "tests/batch/test_support.h"

namespace diz {
namespace {

using test::madeUpRoster;

LineupSearchResult search(const std::vector<RosterPlayer>& players, const LineupConstraints& c,
                          bool exhaustive, std::size_t top = 5, int jobs = 2) {
    LineupSearchOptions options;
    options.top = top;
    options.jobs = jobs;
    options.exhaustive = exhaustive;
    return searchLineups(players, c, options);
}

LineupConstraints slots(std::initializer_list<std::pair<int, int>> fixed) {
    LineupConstraints c;
    for (const auto& [slot, player] : fixed) c.slot[static_cast<std::size_t>(slot - 1)] = player;
    return c;
}

void expectSameLineups(const std::vector<Lineup>& a, const std::vector<Lineup>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].players, b[i].players) << "lineup " << i + 1;
        EXPECT_EQ(a[i].meanRuns, b[i].meanRuns) << "lineup " << i + 1;
    }
}

TEST(LineupSearch, EveryOrderOfEveryChoiceIsTheBruteForceRanking) {
    // Six of ten players fixed in slots 1, 3, 4, 6, 8 and 9: four choices of
    // the other three, each in 3! orders over slots 2, 5 and 7.
    const auto players = madeUpRoster(10, 7, 20);
    const LineupConstraints c = slots({{1, 0}, {3, 1}, {4, 2}, {6, 3}, {8, 4}, {9, 5}});
    const LineupSearchResult result = search(players, c, true, 100);
    EXPECT_EQ(result.choices, 4u);
    EXPECT_EQ(result.ranked, 4u);
    EXPECT_EQ(result.orders, 24u);

    std::vector<Lineup> expected;
    const int freePlayers[4] = {6, 7, 8, 9};
    for (int benched = 0; benched < 4; ++benched) {
        std::array<int, 3> three{};
        int n = 0;
        for (int f = 0; f < 4; ++f) {
            if (f != benched) three[static_cast<std::size_t>(n++)] = freePlayers[f];
        }
        do {
            Lineup lineup;
            lineup.players = {0, three[0], 1, 2, three[1], 3, three[2], 4, 5};
            lineup.meanRuns = lineupFigures(players, lineup, 140).meanRuns;
            expected.push_back(lineup);
        } while (std::next_permutation(three.begin(), three.end()));
    }
    std::sort(expected.begin(), expected.end(), betterLineup);
    expectSameLineups(result.best, expected);
}

TEST(LineupSearch, TheDefaultFindsTheExhaustiveBestOnSeveralRosters) {
    struct Case {
        const char* what;
        std::vector<RosterPlayer> players;
        LineupConstraints constraints;
    };
    LineupConstraints oneMustPlay = slots({{1, 3}, {5, 0}, {9, 11}});
    oneMustPlay.play = {4};
    LineupConstraints benched = slots({{2, 1}, {4, 6}, {9, 10}});
    benched.bench = {2};
    const Case cases[] = {
        {"12 close candidates", madeUpRoster(12, 1, 4), slots({{3, 0}, {4, 1}, {9, 2}})},
        {"12 close candidates, another draw", madeUpRoster(12, 99, 3), oneMustPlay},
        {"12 unlike players", madeUpRoster(12, 5, 30), slots({{1, 8}, {2, 9}, {3, 10}})},
        {"12 players with one benched", madeUpRoster(12, 42, 15), benched},
    };
    for (const Case& c : cases) {
        const LineupSearchResult exhaustive = search(c.players, c.constraints, true);
        const LineupSearchResult screened = search(c.players, c.constraints, false);
        EXPECT_GT(screened.choices, kRankedChoicesMin) << c.what << ": nothing was screened";
        EXPECT_LT(screened.ranked, screened.choices) << c.what;
        EXPECT_EQ(exhaustive.ranked, exhaustive.choices) << c.what;
        ASSERT_FALSE(exhaustive.best.empty()) << c.what;
        EXPECT_EQ(screened.best.front().players, exhaustive.best.front().players) << c.what;
        EXPECT_EQ(screened.best.front().meanRuns, exhaustive.best.front().meanRuns) << c.what;

        // The local search alone puts the best choice first.
        LineupSearchOptions narrow;
        narrow.top = 1;
        narrow.rankedChoicesMin = 1;
        narrow.screenMargin = 0.0;
        const LineupSearchResult first = searchLineups(c.players, c.constraints, narrow);
        EXPECT_EQ(first.ranked, 1u) << c.what;
        EXPECT_EQ(first.best.front().players, exhaustive.best.front().players) << c.what;
    }
}

TEST(LineupSearch, EveryLineupHonoursTheConstraints) {
    const auto players = madeUpRoster(12, 3, 10);
    LineupConstraints c = slots({{9, 11}, {1, 5}, {4, 0}});
    c.play = {7};
    c.bench = {1, 2};
    for (const bool exhaustive : {true, false}) {
        const LineupSearchResult result = search(players, c, exhaustive, 50);
        ASSERT_EQ(result.best.size(), 50u);
        EXPECT_EQ(result.choices, countChoices(players.size(), c));
        for (std::size_t i = 0; i < result.best.size(); ++i) {
            const auto& p = result.best[i].players;
            EXPECT_EQ(p[8], 11);
            EXPECT_EQ(p[0], 5);
            EXPECT_EQ(p[3], 0);
            EXPECT_NE(std::find(p.begin(), p.end(), 7), p.end());
            EXPECT_EQ(std::find(p.begin(), p.end(), 1), p.end());
            EXPECT_EQ(std::find(p.begin(), p.end(), 2), p.end());
            auto sorted = p;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
            if (i > 0) {
                EXPECT_FALSE(betterLineup(result.best[i], result.best[i - 1]));
            }
        }
    }
}

TEST(LineupSearch, TheSameLineupsForAnyNumberOfJobs) {
    const auto players = madeUpRoster(12, 11, 5);
    const LineupConstraints c = slots({{2, 4}, {6, 5}, {9, 6}});
    const LineupSearchResult one = search(players, c, false, 20, 1);
    const LineupSearchResult two = search(players, c, false, 20, 2);
    expectSameLineups(one.best, two.best);
    EXPECT_EQ(one.ranked, two.ranked);
}

TEST(LineupSearch, AStopKeepsTheBestFoundSoFar) {
    const auto players = madeUpRoster(12, 2, 10);
    const LineupConstraints c = slots({{9, 0}});
    std::atomic<bool> stop{false};
    LineupSearchOptions options;
    options.exhaustive = true;
    options.jobs = 1;
    options.stop = &stop;
    options.progress = [&stop](std::uint64_t) { stop.store(true); };
    const LineupSearchResult result = searchLineups(players, c, options);
    EXPECT_TRUE(result.interrupted);
    EXPECT_EQ(result.ranked, 0u);
    EXPECT_LT(result.orders, ordersPerChoice(c));
    ASSERT_FALSE(result.best.empty());
    EXPECT_EQ(result.best.front().players[8], 0);
}

TEST(LineupConstraintsFromNames, RefusesWhatNoLineupCanMeet) {
    Roster roster;
    roster.players = madeUpRoster(11, 4, 10);
    const auto problem = [&](std::vector<std::string> play, std::vector<std::string> bench,
                             std::vector<SlotRequest> slotRequests) {
        LineupConstraints c;
        return resolveConstraints(roster, play, bench, slotRequests, c).value_or("");
    };
    EXPECT_EQ(problem({}, {}, {}), "");
    EXPECT_NE(problem({"Nobody"}, {}, {}).find("no player named 'Nobody'"), std::string::npos);
    EXPECT_NE(problem({"Player 1"}, {"Player 1"}, {}).find("both"), std::string::npos);
    EXPECT_NE(problem({}, {"Player 1"}, {{9, "Player 1"}}).find("bench"), std::string::npos);
    EXPECT_NE(problem({}, {}, {{9, "Player 1"}, {9, "Player 2"}}).find("slot 9 is given twice"),
              std::string::npos);
    EXPECT_NE(problem({}, {}, {{1, "Player 1"}, {9, "Player 1"}}).find("two slots"),
              std::string::npos);
    EXPECT_NE(problem({}, {"Player 1", "Player 2", "Player 3"}, {}).find("only 8 players"),
              std::string::npos);
    std::vector<std::string> ten;
    for (int p = 1; p <= 10; ++p) ten.push_back(std::string("Player ").append(std::to_string(p)));
    EXPECT_NE(problem(ten, {}, {}).find("10 players must play"), std::string::npos);

    LineupConstraints c;
    ASSERT_FALSE(resolveConstraints(roster, {"Player 2"}, {"Player 3"}, {{9, "Player 11"}}, c));
    EXPECT_EQ(c.play, std::vector<int>{1});
    EXPECT_EQ(c.bench, std::vector<int>{2});
    EXPECT_EQ(c.slot[8], 10);
    // Player 2 and Player 11 play; seven of the eight others not benched.
    EXPECT_EQ(countChoices(roster.players.size(), c), 8u);
    EXPECT_EQ(ordersPerChoice(c), 40320u);
}

TEST(LineupCsv, RanksNamesInBattingOrderWithTheGap) {
    auto players = madeUpRoster(9, 6, 10);
    players[0].name = "Mori, Jr.";
    std::vector<Lineup> lineups(2);
    lineups[0] = {{0, 1, 2, 3, 4, 5, 6, 7, 8}, 4.5};
    lineups[1] = {{1, 0, 2, 3, 4, 5, 6, 7, 8}, 4.25};
    const std::string csv = lineupCsv(players, lineups);
    EXPECT_EQ(csv,
              "\xEF\xBB\xBFrank,expected runs,gap,1,2,3,4,5,6,7,8,9\r\n"
              "1,4.500000,0.000000,\"Mori, Jr.\",Player 2,Player 3,Player 4,Player 5,Player "
              "6,Player 7,Player 8,Player 9\r\n"
              "2,4.250000,-0.250000,Player 2,\"Mori, Jr.\",Player 3,Player 4,Player 5,Player "
              "6,Player 7,Player 8,Player 9\r\n");
    EXPECT_EQ(lineupNames(players, lineups[1]).substr(0, 25), "1 Player 2  2 Mori, Jr.  ");
}

}  // namespace
}  // namespace diz
