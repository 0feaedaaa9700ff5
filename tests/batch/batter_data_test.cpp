#include "batch/batter_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "diz/lineup.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

// A table whose every field differs from what the tests read in.
BatterTable markedTable() {
    BatterTable table{};
    for (int row = 0; row < kLineupSize; ++row) {
        table[row] = BatterEntry{900 + row, 1, 2, 3, 4, 5, 0.125, 0.25, 0.375};
    }
    return table;
}

BatterTable readFrom(const std::string& bytes) {
    BatterTable table = markedTable();
    std::istringstream in(bytes);
    readBatterTable(in, table);
    return table;
}

TEST(ScanBatterLine, ReadsNineFieldsSeparatedByAnyWhiteSpace) {
    BatterEntry entry;
    EXPECT_EQ(scanBatterLine("  400\t100 20  2 10 50 0.25 5e-1 +.4 trailing text", entry), 9);
    EXPECT_EQ(entry.atBats, 400);
    EXPECT_EQ(entry.walks, 50);
    EXPECT_EQ(entry.rate1B2to4, 0.5);
    EXPECT_EQ(entry.rate2B1to4, 0.4);
}

TEST(ScanBatterLine, StopsAtTheFirstFieldThatDoesNotMatch) {
    BatterEntry entry = markedTable()[0];
    EXPECT_EQ(scanBatterLine("7 8 x 9 9 9 1 1 1", entry), 2);
    EXPECT_EQ(entry.atBats, 7);
    EXPECT_EQ(entry.singles, 8);
    EXPECT_EQ(entry.doubles, 2);  // kept, and so is everything after it
    EXPECT_EQ(entry.rate1B1to3, 0.125);
}

TEST(ScanBatterLine, IntegerBeyondThirtyTwoBitsDoesNotMatch) {
    BatterEntry entry = markedTable()[0];
    EXPECT_EQ(scanBatterLine("2147483648 5", entry), 0);
    EXPECT_EQ(entry.atBats, 900);
    EXPECT_EQ(scanBatterLine("-2147483648 99999999999999999999999", entry), 1);
    EXPECT_EQ(entry.atBats, -2147483647 - 1);
    EXPECT_EQ(entry.singles, 1);
}

TEST(ScanBatterLine, FloatingPointFormsOfTheCLibrary) {
    BatterEntry entry;
    EXPECT_EQ(scanBatterLine("1 1 1 1 1 1 0x1p-2 1e999 -inf", entry), 9);
    EXPECT_EQ(entry.rate1B1to3, 0.25);
    EXPECT_TRUE(std::isinf(entry.rate1B2to4) && entry.rate1B2to4 > 0);
    EXPECT_TRUE(std::isinf(entry.rate2B1to4) && entry.rate2B1to4 < 0);
    EXPECT_EQ(scanBatterLine("1 1 1 1 1 1 1e-999 nan .", entry), 8);
    EXPECT_EQ(entry.rate1B1to3, 0.0);
    EXPECT_TRUE(std::isnan(entry.rate1B2to4));
}

TEST(ReadBatterTable, ShortFileChangesOnlyItsRows) {
    const BatterTable table = readFrom("1 2 3 4 5 6 0.1 0.2 0.3\r\n7 8\r\nabc 1 1\n");
    EXPECT_EQ(table[0].walks, 6);
    EXPECT_EQ(table[0].rate2B1to4, 0.3);
    EXPECT_EQ(table[1].atBats, 7);  // a line of two numbers
    EXPECT_EQ(table[1].singles, 8);
    EXPECT_EQ(table[1].doubles, 2);
    EXPECT_EQ(table[2].atBats, 902);  // first field not a number
    EXPECT_EQ(table[3].atBats, 903);  // no line left
    EXPECT_EQ(table[8].rate1B1to3, 0.125);
}

TEST(ReadBatterTable, LongLineIsReadInPiecesThatCountAsLines) {
    // 300 characters: a piece of 254, then the rest as row 2.
    std::string first = "11 12";
    first += std::string(253 - first.size(), ' ');
    first += "13 14";  // split between "1" and "3"
    first += std::string(300 - first.size(), ' ');
    const BatterTable table = readFrom(first + "\r\n21 22\r\n");
    EXPECT_EQ(table[0].atBats, 11);
    EXPECT_EQ(table[0].singles, 12);
    EXPECT_EQ(table[0].doubles, 1);  // the piece ends after "1"
    EXPECT_EQ(table[1].atBats, 3);   // the rest of the line is row 2
    EXPECT_EQ(table[1].singles, 14);
    EXPECT_EQ(table[2].atBats, 21);  // the next line is row 3
}

TEST(ReadBatterTable, LinesAfterTheNinthAreIgnored) {
    std::string text;
    for (int i = 1; i <= 10; ++i) text += std::to_string(i) + "\n";
    const BatterTable table = readFrom(text);
    EXPECT_EQ(table[8].atBats, 9);
}

TEST(WriteBatterTable, SaveThenLoadRestoresTheTableWithSixDecimalRates) {
    test::ScratchDir dir;
    BatterTable table = markedTable();
    table[3] = BatterEntry{-5, 0, 99999, 7, 8, 2147483647, 0.1234567, -0.5, 2.0};
    ASSERT_TRUE(writeBatterTable(dir.path("b.txt"), table));
    EXPECT_EQ(dir.read("b.txt").substr(0, 45), "900 1 2 3 4 5 0.125000 0.250000 0.375000\r\n901");

    BatterTable loaded{};
    ASSERT_EQ(readBatterFile(dir.path("b.txt"), loaded), BatterFileRead::Read);
    EXPECT_EQ(loaded[3].atBats, -5);
    EXPECT_EQ(loaded[3].walks, 2147483647);
    EXPECT_EQ(loaded[3].rate1B1to3, 0.123457);
    EXPECT_EQ(loaded[3].rate1B2to4, -0.5);
    EXPECT_EQ(loaded[8].atBats, 908);
}

TEST(ReadBatterTable, MissingFileLeavesTheTableAlone) {
    test::ScratchDir dir;
    BatterTable table = markedTable();
    EXPECT_EQ(readBatterFile(dir.path("none.txt"), table), BatterFileRead::NotOpened);
    EXPECT_EQ(table[0].atBats, 900);
}

TEST(CheckBatterRanges, NamesTheFirstBadFieldInTheWindowsReadingOrder) {
    BatterTable table{};
    EXPECT_FALSE(checkBatterRanges(table).has_value());

    table[2].homeRuns = 100000;
    table[2].walks = -1;  // BB is read before HR
    auto error = checkBatterRanges(table);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->row, 2);
    EXPECT_EQ(error->field, "BB");
    EXPECT_EQ(error->message(), "打者C の BB -1 は範囲外です (0..99999)");

    table[1].atBats = 0;
    error = checkBatterRanges(table);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message(), "打者B の 打数 0 は範囲外です (1..100000)");
}

TEST(CheckBatterRanges, TakesTheWindowsBoundsThemselves) {
    BatterTable table{};
    for (BatterEntry& entry : table) {
        entry = BatterEntry{100000, 99999, 99999, 99999, 99999, 99999, 0.0, 0.0, 0.0};
    }
    EXPECT_FALSE(checkBatterRanges(table).has_value());

    table[8].triples = 100000;
    auto error = checkBatterRanges(table);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message(), "打者I の 3B 100000 は範囲外です (0..99999)");

    table[8].triples = 0;
    table[8].atBats = 100001;
    error = checkBatterRanges(table);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message(), "打者I の 打数 100001 は範囲外です (1..100000)");
}

}  // namespace
}  // namespace diz
