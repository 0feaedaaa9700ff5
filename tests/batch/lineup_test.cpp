#include "lineup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

#include "batter_data.h"
#include "order_evaluators.h"
#include "run_pipeline.h"
#include "window_model.h"

namespace diz {
namespace {

Patterns only(const LineupPattern& first, const LineupPattern& second = "") {
    return Patterns{first, second, "", "", "", ""};
}

// The nine letters of every order `source` gives.
std::vector<std::string> texts(OrderSource source) {
    std::vector<std::string> out;
    SelectedOrder order;
    while (source.next(order)) {
        EXPECT_EQ(mapOrder(order.text), order.order);
        out.push_back(order.text);
    }
    return out;
}

// The first nine characters of every selected piece of `file`.
std::vector<std::string> selected(const std::string& file, const Patterns& patterns) {
    std::istringstream in(file);
    return texts(OrderSource(in, patterns));
}

TEST(PatternAccepts, StarMatchesAnyCharacterOthersMatchExactly) {
    EXPECT_TRUE(patternAccepts("abcdefghi", "abcdefghi\n"));
    EXPECT_TRUE(patternAccepts("*********", "aaaaaaaaa"));
    EXPECT_TRUE(patternAccepts("a****i***", "ahgfeibcd"));
    EXPECT_FALSE(patternAccepts("a****i***", "ahgfebicd"));
    EXPECT_FALSE(patternAccepts("Abcdefghi", "abcdefghi"));
}

TEST(PatternAccepts, ShortPatternAcceptsNothing) {
    EXPECT_FALSE(patternAccepts("abcdefgh", "abcdefghi"));
    EXPECT_FALSE(patternAccepts("", "abcdefghi"));
    EXPECT_FALSE(patternAccepts(std::string("abcd\0fghi", 9), "abcd\0fghi"));
}

TEST(MapOrder, NamesEachPositionsBatterRow) {
    EXPECT_EQ(mapOrder("ihgfedcba"), (BattingOrder{8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_FALSE(mapOrder("abcdefghj"));
    EXPECT_FALSE(mapOrder("abcdefgh\n"));
    EXPECT_FALSE(mapOrder("abcdefgh"));
    EXPECT_FALSE(mapOrder("ABCDEFGHI"));
}

TEST(SelectOrder, FallsThroughToALaterPatternOnlyIfMappingWorks) {
    const Patterns patterns = only("abcdefgh*", "*********");
    EXPECT_TRUE(selectOrder("abcdefghh", patterns));
    EXPECT_FALSE(selectOrder("abcdefghz", patterns));
    EXPECT_FALSE(selectOrder("ABCDEFGHI", only("*********")));
}

TEST(OrderFile, DefaultPatternsSelectOnlyTheExactOrder) {
    const std::string file = "abcdefghi\r\nabcdefgih\r\nabcdefghi extra\nbacdefghi\n";
    EXPECT_EQ(selected(file, only("abcdefghi")),
              (std::vector<std::string>{"abcdefghi", "abcdefghi"}));
}

TEST(OrderFile, MalformedLinesAreSkipped) {
    const std::string file = "abcdefgh\naaaaaaaaa\nABCDEFGHI\nabc defgh\n\n";
    EXPECT_EQ(selected(file, only("*********")), (std::vector<std::string>{"aaaaaaaaa"}));
}

TEST(OrderFile, LongLineIsSplitAndItsRestIsTestedAsALine) {
    // 25 characters: pieces "abcdefghi" + 10 more, then the last 6 with the line end.
    const std::string file = "abcdefghiabcdefghiabcdefg\r\n";
    EXPECT_EQ(selected(file, only("*********")), (std::vector<std::string>{"abcdefghi"}));
    // A 28-character line whose rest is itself nine letters is selected twice.
    EXPECT_EQ(selected("abcdefghiabcdefghiaihgfedcba\n", only("*********")),
              (std::vector<std::string>{"abcdefghi", "ihgfedcba"}));
}

TEST(OrderFile, CrLfAndLfGiveTheSameSelection) {
    const std::string lf = "abcdefghi\nihgfedcba\n";
    const std::string crlf = "abcdefghi\r\nihgfedcba\r\n";
    EXPECT_EQ(selected(lf, only("*********")), selected(crlf, only("*********")));
    EXPECT_EQ(selected(crlf, only("*********")).size(), 2u);
}

TEST(OrderFile, ReportsTheBattingOrder) {
    std::istringstream in("cabdefghi\n");
    OrderSource source(in, only("*********"));
    SelectedOrder seen;
    ASSERT_TRUE(source.next(seen));
    EXPECT_EQ(seen.order, (BattingOrder{2, 0, 1, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(source.next(seen));
}

TEST(EveryOrdering, AllNineFactorialInLexicographicOrder) {
    const std::vector<std::string> all = texts(OrderSource(std::nullopt));
    ASSERT_EQ(all.size(), 362880u);
    EXPECT_EQ(all.front(), "abcdefghi");
    EXPECT_EQ(all[1], "abcdefgih");
    EXPECT_EQ(all.back(), "ihgfedcba");
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
}

TEST(EveryOrdering, PatternsFilterThem) {
    // Patterns 2 to 6 count as much as the first; one differing from an
    // ordering only in its ninth character selects nothing.
    Patterns patterns{"abcdefgh*", "", "", "", "", "ihgfedcba"};
    EXPECT_EQ(texts(OrderSource(patterns)), (std::vector<std::string>{"abcdefghi", "ihgfedcba"}));
    patterns = only("abcdefgha");
    EXPECT_TRUE(texts(OrderSource(patterns)).empty());
}

// Set by set, the orderings are the same, each set's selected rotations come
// together, and the sets are numbered as lexicographic order first meets
// them, so the exact figures are the same to the bit.
TEST(EveryOrdering, RotationsTogetherGiveTheSameOrdersAndFigures) {
    // Sets met first through their b-first rotation and sets met only
    // through their c-first one: not the order of their a-first rotations.
    const Patterns patterns = only("b*a*d****", "c*****a*d");
    std::vector<std::string> together = texts(OrderSource(patterns, true));
    for (std::size_t i = 1; i < together.size(); ++i) {
        const std::string& a = together[i - 1];
        const std::string& b = together[i];
        if ((a + a).find(b) == std::string::npos) {
            // A new set: none of its rotations came before.
            for (std::size_t k = 0; k < i; ++k) {
                ASSERT_EQ((together[k] + together[k]).find(b), std::string::npos) << b;
            }
        }
    }
    std::vector<std::string> lexicographic = texts(OrderSource(patterns));
    std::sort(together.begin(), together.end());
    EXPECT_EQ(together, lexicographic);
    // Without a filter the sets are made in order, not sorted: the same orders.
    const std::vector<std::string> unfiltered = texts(OrderSource(std::nullopt, true));
    EXPECT_EQ(unfiltered.size(), 362880u);
    EXPECT_EQ(unfiltered, texts(OrderSource(only("*********"), true)));

    // Nine different batters, so that no two sets give the same figures.
    std::istringstream file;
    std::string lines;
    for (int i = 0; i < kLineupSize; ++i) {
        lines += std::to_string(400 + 10 * i) + " " + std::to_string(90 + 3 * i) + " 20 2 " +
                 std::to_string(5 + i) + " 50 0.250000 0.500000 0.400000\r\n";
    }
    file.str(lines);
    BatterTable table{};
    readBatterTable(file, table);
    const std::array<BatterRecord, kLineupSize> records = buildRecords(table);
    std::map<std::string, TrialResult> byText;
    for (const bool rotationsTogether : {false, true}) {
        OrderSelection selection;
        selection.patterns = patterns;
        selection.everyOrdering = true;
        selection.filterOrderings = true;
        selection.rotationsTogether = rotationsTogether;
        SelectedOrders orders;
        ASSERT_TRUE(orders.open(selection));
        const ReportOptions everyFigure{true, true, true, true};
        ExactOrderEvaluator evaluator(records, 1, 2, everyFigure);
        evaluator.rememberedSets = rotationsTogether ? 16 : 40320;
        std::size_t count = 0;
        ASSERT_TRUE(evaluateAll(
            orders, evaluator, [&](const SelectedOrder& order, const TrialResult& result) {
                ++count;
                if (!rotationsTogether) {
                    byText[order.text] = result;
                } else {
                    EXPECT_EQ(std::memcmp(&byText.at(order.text), &result, sizeof result), 0)
                        << order.text;
                }
                return true;
            }));
        EXPECT_EQ(count, lexicographic.size());
    }
}

}  // namespace
}  // namespace diz
