#include "batch/lineup_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "batch/messages.h"
#include "batch/ranking_inputs.h"
#include "batch/simulation.h"
#include "batch/window_model.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

using test::madeUpRoster;

std::vector<PlayerMark> marks(std::size_t count,
                              std::initializer_list<std::pair<int, PlayerMark>> set) {
    std::vector<PlayerMark> all(count);
    for (const auto& [player, mark] : set) all[static_cast<std::size_t>(player)] = mark;
    return all;
}

// A locked slot makes its player play; every mark no lineup can meet is
// refused with the players named, and the constraints stay untouched.
TEST(MarkedConstraints, LockedPlayersPlayAndImpossibleMarksAreRefused) {
    const auto players = madeUpRoster(12, 3, 5);
    LineupConstraints c;
    ASSERT_FALSE(markedConstraints(players,
                                   marks(12, {{4, {PlayerRole::Free, 9}},
                                              {2, {PlayerRole::Play, 0}},
                                              {7, {PlayerRole::Bench, 0}}}),
                                   c));
    EXPECT_EQ(c.slot[8], 4);
    EXPECT_EQ(c.play, (std::vector<int>{2, 4}));
    EXPECT_EQ(c.bench, (std::vector<int>{7}));

    const std::pair<std::vector<PlayerMark>, std::string> refused[] = {
        {marks(12, {{1, {PlayerRole::Bench, 3}}}), "「Player 2」は出場しないのに打順 3"},
        {marks(12, {{1, {PlayerRole::Free, 3}}, {5, {PlayerRole::Play, 3}}}),
         "打順 3 に「Player 2」と「Player 6」"},
        {marks(12, {{0, {PlayerRole::Bench, 0}},
                    {1, {PlayerRole::Bench, 0}},
                    {2, {PlayerRole::Bench, 0}},
                    {3, {PlayerRole::Bench, 0}}}),
         "出場できる選手が 9 人に足りません (8 人)"},
    };
    for (const auto& [marked, start] : refused) {
        LineupConstraints untouched;
        const auto reason = markedConstraints(players, marked, untouched);
        ASSERT_TRUE(reason);
        EXPECT_EQ(reason->rfind(start, 0), 0u) << *reason;
        EXPECT_TRUE(untouched.play.empty());
    }
    std::vector<PlayerMark> ten(12, PlayerMark{PlayerRole::Play, 0});
    EXPECT_EQ(*markedConstraints(players, ten, c), "必ず出場の選手が 9 人を超えています (12 人)");
    // 40 players choose nine in 273438880 ways.
    const auto team = madeUpRoster(kRosterMaxPlayers, 3, 5);
    EXPECT_NE(
        markedConstraints(team, std::vector<PlayerMark>(team.size()), c)->find("273438880 通り"),
        std::string::npos);
}

// The window's search finds what the search itself finds, and its message
// says how much was ranked; a cancel keeps the best found so far.
TEST(LineupRun, FindsTheSearchsLineupsAndKeepsThemWhenCancelled) {
    const auto players = madeUpRoster(11, 7, 5);
    LineupConstraints c;
    c.slot[8] = 0;
    c.play = {0};
    LineupSearchOptions options;
    options.top = 5;
    const LineupSearchResult direct = searchLineups(players, c, options);

    std::string failure;
    auto run = LineupRun::start(players, c, 5, failure);
    ASSERT_TRUE(run);
    while (!run->finished()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const LineupRun::Result result = run->takeResult();
    ASSERT_EQ(result.search.best.size(), direct.best.size());
    for (std::size_t i = 0; i < direct.best.size(); ++i) {
        EXPECT_EQ(result.search.best[i].players, direct.best[i].players);
        EXPECT_EQ(result.search.best[i].meanRuns, direct.best[i].meanRuns);
    }
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.message, msg::lineupSearched(direct.choices, direct.ranked, direct.orders));
    EXPECT_EQ(run->ordersDone(), direct.orders);

    auto stopped = LineupRun::start(madeUpRoster(14, 7, 5), {}, 5, failure);
    ASSERT_TRUE(stopped);
    while (stopped->ordersDone() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stopped->cancel();
    EXPECT_EQ(stopped->status(), msg::kRankingCancelling);
    const LineupRun::Result partial = stopped->takeResult();
    EXPECT_TRUE(partial.search.interrupted);
    EXPECT_EQ(partial.message, msg::kLineupStopped);
}

// A lineup put into the window becomes its nine rows in batting order,
// named, with pattern 1 selecting exactly that order; a Load forgets the
// names.
TEST(PutLineup, RowsInBattingOrderWithTheirNames) {
    const auto players = madeUpRoster(10, 5, 5);
    Lineup lineup;
    lineup.players = {9, 0, 8, 1, 7, 2, 6, 3, 5};
    WindowModel model;
    model.patterns[0] = "ba*******";
    putLineup(model, players, lineup);
    EXPECT_EQ(model.patterns[0], "abcdefghi");
    EXPECT_EQ(model.statusText, msg::kRosterPutDone);
    EXPECT_EQ(model.batters[0].atBats, players[9].batter.atBats);
    EXPECT_EQ(model.batters[8].homeRuns, players[5].batter.homeRuns);
    EXPECT_EQ(model.batterNames[2], "Player 9");
    const RankingInputs inputs = rankingInputs(model, SimulationFiles{});
    EXPECT_EQ(orderNames("cab", inputs), "1 Player 9  2 Player 10  3 Player 1");
    EXPECT_EQ(orderNames("abc", RankingInputs{}), "");
}

// Every refused edit leaves the player as he was; hits are checked against
// the at-bats whichever of them changes.
TEST(RosterCell, EditsAreCheckedAndRefusedEditsChangeNothing) {
    auto players = madeUpRoster(3, 1, 5);
    const RosterPlayer before = players[1];
    const std::pair<int, std::string> refused[] = {
        {0, "  "},  {0, "Player 1"}, {0, std::string(kRosterNameMaxBytes + 1, 'x')},
        {1, "0"},   {1, "abc"},      {2, "100000"},
        {1, "10"},  // fewer at-bats than hits
        {7, "1.5"}, {7, "nan"},
    };
    for (const auto& [column, text] : refused) {
        EXPECT_TRUE(setRosterCell(players, 1, column, text)) << column << " " << text;
        EXPECT_EQ(players[1].name, before.name);
        EXPECT_EQ(std::memcmp(&players[1].batter, &before.batter, sizeof before.batter), 0);
    }
    EXPECT_FALSE(setRosterCell(players, 1, 0, " 佐藤 "));
    EXPECT_EQ(rosterCellText(players[1], 0), "佐藤");
    EXPECT_FALSE(setRosterCell(players, 1, 3, "３０"));
    EXPECT_EQ(players[1].batter.doubles, 30);
    EXPECT_FALSE(setRosterCell(players, 1, 9, "0.125"));
    EXPECT_EQ(rosterCellText(players[1], 9), "0.125");

    players[0].batter.homeRuns = 30;
    players[2].batter.homeRuns = 30;
    players[1].batter.homeRuns = 10;
    EXPECT_EQ(sortRoster(players, 5, false), (std::vector<std::uint32_t>{0, 2, 1}));
    EXPECT_EQ(sortRoster(players, 5, true), (std::vector<std::uint32_t>{1, 0, 2}));
    EXPECT_EQ(sortRoster(players, 0, true), (std::vector<std::uint32_t>{0, 2, 1}));
}

}  // namespace
}  // namespace diz
