#include "lineup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace diz {
namespace {

Patterns only(const LineupPattern& first, const LineupPattern& second = "") {
    return Patterns{first, second, "", "", "", ""};
}

// The first nine characters of every selected piece of `file`.
std::vector<std::string> selected(const std::string& file, const Patterns& patterns) {
    std::istringstream in(file);
    std::vector<std::string> out;
    forEachSelectedOrder(in, patterns, [&](std::string_view line, const BattingOrder&) {
        out.emplace_back(line.substr(0, 9));
    });
    return out;
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
    BattingOrder seen{};
    EXPECT_EQ(forEachSelectedOrder(in, only("*********"),
                                   [&](std::string_view, const BattingOrder& o) { seen = o; }),
              1u);
    EXPECT_EQ(seen, (BattingOrder{2, 0, 1, 3, 4, 5, 6, 7, 8}));
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

}  // namespace
}  // namespace diz
