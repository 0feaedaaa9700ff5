#include "batch/orders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "tests/batch/test_support.h"

namespace diz {
namespace {

Patterns only(const LineupPattern& first, const LineupPattern& second = "") {
    return Patterns{first, second, "", "", "", ""};
}

// The nine letters of every order `reader` gives.
std::vector<std::string> texts(OrderReader& reader) {
    std::vector<std::string> out;
    BattingOrder order;
    while (reader.next(order)) out.push_back(orderText(order));
    return out;
}

std::vector<std::string> texts(const OrderSelection& selection) {
    OrderReader reader;
    EXPECT_TRUE(reader.open(selection));
    return texts(reader);
}

// The first nine characters of every selected piece of `file`.
std::vector<std::string> selected(const std::string& file, const Patterns& patterns) {
    std::istringstream in(file);
    OrderReader reader(in, patterns);
    return texts(reader);
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
    OrderReader reader(in, only("*********"));
    BattingOrder seen;
    ASSERT_TRUE(reader.next(seen));
    EXPECT_EQ(seen, (BattingOrder{2, 0, 1, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(reader.next(seen));
}

// The order file is opened by its UTF-8 name and read as its lines; one that
// can't be opened says why, and so does a folder.
TEST(OrderFile, IsOpenedByNameOrRefusedWithTheReason) {
    test::ScratchDir dir;
    dir.write("順序.dat", "bacdefghi\r\nabcdefghi\r\n");
    const OrderSelection file(OrderSource::OrderFile, only("*********"),
                              dir.path("順序.dat").string());
    EXPECT_EQ(texts(file), (std::vector<std::string>{"bacdefghi", "abcdefghi"}));
    EXPECT_EQ(countSelectedOrders(file), 2u);

    OrderReader reader;
    int error = 0;
    EXPECT_FALSE(reader.open(
        OrderSelection(OrderSource::OrderFile, only("*********"), dir.path("missing.dat").string()),
        &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(reader.open(
        OrderSelection(OrderSource::OrderFile, only("*********"), dir.path(".").string()), &error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(countSelectedOrders(OrderSelection(OrderSource::OrderFile, only("*********"),
                                                 dir.path("missing.dat").string())),
              std::nullopt);
}

TEST(EveryOrdering, AllNineFactorialInLexicographicOrder) {
    const OrderSelection every(OrderSource::EveryOrdering, only("abcdefghi"));
    const std::vector<std::string> all = texts(every);
    ASSERT_EQ(all.size(), std::size_t{kOrderings});
    EXPECT_EQ(countSelectedOrders(every), std::size_t{kOrderings});
    EXPECT_EQ(all.front(), "abcdefghi");
    EXPECT_EQ(all[1], "abcdefgih");
    EXPECT_EQ(all.back(), "ihgfedcba");
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
}

TEST(EveryOrdering, PatternsFilterThem) {
    // Patterns 2 to 6 count as much as the first; one differing from an
    // ordering only in its ninth character selects nothing.
    const Patterns patterns{"abcdefgh*", "", "", "", "", "ihgfedcba"};
    const OrderSelection accepted(OrderSource::AcceptedOrderings, patterns);
    EXPECT_EQ(texts(accepted), (std::vector<std::string>{"abcdefghi", "ihgfedcba"}));
    EXPECT_EQ(countSelectedOrders(accepted), 2u);
    EXPECT_TRUE(texts(OrderSelection(OrderSource::AcceptedOrderings, only("abcdefgha"))).empty());
}

// Set by set, the orderings are the same and each set's selected rotations
// come together; the sets come in the order lexicographic order first meets
// them. An order file's lines keep their file order whatever the caller takes.
TEST(EveryOrdering, AnySequenceBringsTheRotationsOfASetTogether) {
    // Sets met first through their b-first rotation and sets met only
    // through their c-first one: not the order of their a-first rotations.
    const Patterns patterns = only("b*a*d****", "c*****a*d");
    const OrderSelection bySet(OrderSource::AcceptedOrderings, patterns, "order.dat", true);
    EXPECT_TRUE(bySet.rotationsTogether());
    std::vector<std::string> together = texts(bySet);
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
    std::vector<std::string> lexicographic =
        texts(OrderSelection(OrderSource::AcceptedOrderings, patterns));
    std::sort(together.begin(), together.end());
    EXPECT_EQ(together, lexicographic);
    // Without a filter the sets are made in order, not sorted: the same orders.
    const std::vector<std::string> unfiltered =
        texts(OrderSelection(OrderSource::EveryOrdering, patterns, "order.dat", true));
    EXPECT_EQ(unfiltered.size(), std::size_t{kOrderings});
    EXPECT_EQ(unfiltered, texts(OrderSelection(OrderSource::AcceptedOrderings, only("*********"),
                                               "order.dat", true)));

    EXPECT_FALSE(
        OrderSelection(OrderSource::OrderFile, patterns, "order.dat", true).rotationsTogether());
}

}  // namespace
}  // namespace diz
