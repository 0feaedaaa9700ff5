#include "batch/text_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <vector>

namespace diz {
namespace {

std::vector<std::string> pieces(const std::string& bytes, std::size_t maxChars) {
    std::istringstream in(bytes);
    LinePieceReader reader(in, maxChars);
    std::vector<std::string> out;
    std::string piece;
    while (reader.next(piece)) out.push_back(piece);
    return out;
}

TEST(LinePieceReader, CrLfAndLoneLfEndLinesAlike) {
    EXPECT_EQ(pieces("ab\r\ncd\nef", 19), (std::vector<std::string>{"ab\n", "cd\n", "ef"}));
}

TEST(LinePieceReader, LoneCrIsAnOrdinaryCharacter) {
    EXPECT_EQ(pieces("a\rb\r\n", 19), (std::vector<std::string>{"a\rb\n"}));
}

TEST(LinePieceReader, LongLineIsSplitAndTheRestIsALineOfItsOwn) {
    EXPECT_EQ(pieces("abcdefghijklmnopqrstuvwxy\r\nz\r\n", 19),
              (std::vector<std::string>{"abcdefghijklmnopqrs", "tuvwxy\n", "z\n"}));
}

TEST(LinePieceReader, CrLfCountsAsOneCharacterBeforeTheLimit) {
    // 18 letters + CR LF fit in one piece of 19 (the CR LF is one '\n').
    const std::string line(18, 'a');
    EXPECT_EQ(pieces(line + "\r\n", 19), (std::vector<std::string>{line + "\n"}));
    // 19 letters: the line end becomes a piece of its own.
    EXPECT_EQ(pieces(line + "b\r\n", 19), (std::vector<std::string>{line + "b", "\n"}));
}

TEST(Utf8Prefix, CutsAtTheLastWholeCharacter) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "あ";  // 3 bytes each
    EXPECT_EQ(utf8Prefix(name, 70).size(), 69u);
    EXPECT_EQ(utf8Prefix(std::string(80, 'x'), 70), std::string(70, 'x'));
    EXPECT_EQ(utf8Prefix("short", 70), "short");
}

TEST(FormatFixed, MatchesPrintfIncludingExactTies) {
    for (double value : {6.107142857142857, 0.0078125, 0.0000005, -2.5, 1e300, 0.0, -0.0}) {
        char expected[512];
        std::snprintf(expected, sizeof expected, "%f", value);
        EXPECT_EQ(formatFixed(value, 6), expected) << value;
    }
    EXPECT_EQ(formatFixed(0.8685, 3), "0.869");
}

}  // namespace
}  // namespace diz
