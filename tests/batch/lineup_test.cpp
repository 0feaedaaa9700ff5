#include "lineup.h"

#include <gtest/gtest.h>

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

TEST(MapLineup, PointsEachPositionAtItsBattersRecord) {
    std::array<BatterRecord, kBatterCount> records{};
    const auto lineup = mapLineup("ihgfedcba", records);
    ASSERT_TRUE(lineup.has_value());
    EXPECT_EQ((*lineup)[0], &records[8]);
    EXPECT_EQ((*lineup)[8], &records[0]);
    EXPECT_FALSE(mapLineup("abcdefghj", records));
    EXPECT_FALSE(mapLineup("abcdefgh\n", records));
    EXPECT_FALSE(mapLineup("abcdefgh", records));
    EXPECT_FALSE(mapLineup("ABCDEFGHI", records));
}

TEST(SelectLineup, FallsThroughToALaterPatternOnlyIfMappingWorks) {
    std::array<BatterRecord, kBatterCount> records{};
    const Patterns patterns = only("abcdefgh*", "*********");
    EXPECT_TRUE(selectLineup("abcdefghh", patterns, records));
    EXPECT_FALSE(selectLineup("abcdefghz", patterns, records));
    EXPECT_FALSE(selectLineup("ABCDEFGHI", only("*********"), records));
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

}  // namespace
}  // namespace diz
