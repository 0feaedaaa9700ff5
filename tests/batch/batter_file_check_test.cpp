#include "batch/batter_file_check.h"

#include <gtest/gtest.h>

#include <string>

namespace diz {
namespace {

const std::string kRow = "400 100 20 2 10 50 0.25 0.5 0.4";

std::string rows(int n, const std::string& end = "\r\n") {
    std::string text;
    for (int i = 0; i < n; ++i) text += kRow + end;
    return text;
}

TEST(BatterFileProblem, WholeFilesPass) {
    EXPECT_EQ(batterFileProblem(rows(9)), std::nullopt);
    EXPECT_EQ(batterFileProblem(rows(9, "\n") + "\n  \n"), std::nullopt);  // blank lines after
    EXPECT_EQ(batterFileProblem(rows(8) + "+1 -0 0 0 0 0 1e-3 -2.5 .5"), std::nullopt);
}

TEST(BatterFileProblem, NamesTheLineAndTheFieldThatWouldNotReadWhole) {
    EXPECT_EQ(batterFileProblem(""), "打者データが 9 行ありません (0 行)");
    EXPECT_EQ(batterFileProblem(rows(3)), "打者データが 9 行ありません (3 行)");
    EXPECT_EQ(batterFileProblem(rows(2) + "400 100 20 2 99999999999 50 0.25 0.5 0.4\n"),
              "3: 打者C の HR「99999999999」は 32 ビットの整数ではありません");
    EXPECT_EQ(batterFileProblem("４００ 100 20 2 10 50 0.25 0.5 0.4\n"),
              "1: 打者A の 打数「４００」は 32 ビットの整数ではありません");
    EXPECT_EQ(batterFileProblem(rows(4) + "400 100 20 2 10 50 0.25 0.5\n"),
              "5: 打者E の 2B 1to4 がありません");
    EXPECT_EQ(batterFileProblem(rows(4) + "400 100 20 2 10 50 0.25 inf 0.4\n"),
              "5: 打者E の 1B 2to4「inf」は有限の数ではありません");
    // The reader takes one sign: at "+-" it stops, leaving the rest unread.
    EXPECT_EQ(batterFileProblem(rows(4) + "400 100 20 2 10 50 +-0.25 0.5 0.4\n"),
              "5: 打者E の 1B 1to3「+-0.25」は有限の数ではありません");
    EXPECT_EQ(batterFileProblem(kRow + " 7\n"), "1: 打者A の行に余分な値があります「7」");
    EXPECT_EQ(batterFileProblem(rows(9) + kRow + "\n"), "10: 打者I の後に余分な行があります");
}

TEST(BatterFileProblem, RefusesWhatTheReaderWouldSplitOrMisread) {
    EXPECT_EQ(batterFileProblem(rows(9, "\r")),
              "1: 行末が CR だけです (CR LF か LF で区切ってください)");
    EXPECT_EQ(batterFileProblem(std::string("400\0", 4) + "\n"),
              "1: 読めないバイト (NUL) があります");
    // A line and its end fill one piece of 254 characters at most.
    const std::string fits = kRow + std::string(253 - kRow.size(), ' ');
    EXPECT_EQ(batterFileProblem(rows(8) + fits + "\r\n"), std::nullopt);
    EXPECT_EQ(batterFileProblem(rows(8) + fits + " \r\n"), "9: 行が長すぎます (253 文字まで)");
}

}  // namespace
}  // namespace diz
