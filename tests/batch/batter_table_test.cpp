#include "batch/batter_table.h"

#include <gtest/gtest.h>

namespace diz {
namespace {

BatterEntry referenceBatter() { return BatterEntry{400, 100, 20, 2, 10, 50, 0.25, 0.5, 0.4}; }

TEST(ToBatterRecord, ProbabilitiesArePerPlateAppearance) {
    const BatterRecord record = toBatterRecord(referenceBatter(), 2);
    EXPECT_EQ(record.label, 'c');
    EXPECT_DOUBLE_EQ(record.pSingle, 100.0 / 450.0);
    EXPECT_DOUBLE_EQ(record.pDouble, 20.0 / 450.0);
    EXPECT_DOUBLE_EQ(record.pTriple, 2.0 / 450.0);
    EXPECT_DOUBLE_EQ(record.pHomeRun, 10.0 / 450.0);
    EXPECT_DOUBLE_EQ(record.pWalk, 50.0 / 450.0);
    EXPECT_EQ(record.rate1B1to3, 0.25);
    EXPECT_EQ(record.rate1B2to4, 0.5);
    EXPECT_EQ(record.rate2B1to4, 0.4);
}

TEST(ToBatterRecord, HugeLoadedCountsDoNotOverflow) {
    BatterEntry entry;
    entry.atBats = 2147483647;
    entry.walks = 2147483647;
    entry.singles = 2147483647;
    EXPECT_DOUBLE_EQ(toBatterRecord(entry, 0).pSingle, 0.5);
}

TEST(SummaryLine, ReferenceBatter) {
    EXPECT_EQ(summaryLine(referenceBatter(), 0),
              "# 打者A\tAVE: 0.330   OBP: 0.404   SLG: 0.465   OPS: 0.869\n");
}

TEST(SummaryLine, DefaultBatterShowsZeros) {
    EXPECT_EQ(summaryLine(BatterEntry{}, 8),
              "# 打者I\tAVE: 0.000   OBP: 0.000   SLG: 0.000   OPS: 0.000\n");
}

TEST(SummaryLine, HitsAboveAtBatsPrintAnAverageAboveOne) {
    const BatterEntry entry{2, 3, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(summaryLine(entry, 1),
              "# 打者B\tAVE: 1.500   OBP: 1.500   SLG: 1.500   OPS: 3.000\n");
}

TEST(SummaryLine, ZeroAtBatsShowsDashesForUndefinedValues) {
    BatterEntry entry{};
    entry.atBats = 0;
    EXPECT_EQ(summaryLine(entry, 0), "# 打者A\tAVE: ---   OBP: ---   SLG: ---   OPS: ---\n");
    entry.walks = 4;  // OBP is defined again, AVE and SLG are not
    EXPECT_EQ(summaryLine(entry, 0), "# 打者A\tAVE: ---   OBP: 1.000   SLG: ---   OPS: ---\n");
}

TEST(BuildRecords, LabelsRowsAToI) {
    BatterTable table{};
    table[4] = referenceBatter();
    const auto records = buildRecords(table);
    for (int row = 0; row < kLineupSize; ++row) EXPECT_EQ(records[row].label, 'a' + row);
    EXPECT_DOUBLE_EQ(records[4].pWalk, 50.0 / 450.0);
    EXPECT_EQ(records[0].pSingle, 0.0);
}

}  // namespace
}  // namespace diz
