#include "batch/text_io.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
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

// The text of to_chars, the conversion printf's rounding is taken from.
std::string toChars(double value, int decimals) {
    std::array<char, 512> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(text.data(), result.ptr);
}

// Small values take a shorter way than to_chars: the same text for every
// magnitude and number of decimals, exact ties of the last decimal (multiples
// of 2^-k) and the limits of that way included.
TEST(FormatFixed, SmallValuesMatchTheGeneralConversion) {
    std::mt19937_64 random(17);
    std::vector<double> values{0.0,       -0.0, 1e-300, -4.9e-324,         0.5e-6,
                               0.0000025, 1e9,  -1e9,   999999999.9999999, 0.125,
                               2.5,       1e-7};
    for (int i = 0; i < 20000; ++i) {
        const double magnitude = std::ldexp(1.0, static_cast<int>(random() % 80) - 50);
        const double value = magnitude * std::uniform_real_distribution<double>(-1, 1)(random);
        values.push_back(value);
        // Multiples of 2^-k can fall exactly halfway between two last decimals.
        values.push_back(
            std::ldexp(static_cast<double>(random() % 100000), -static_cast<int>(random() % 30)));
        // Nearly halfway, but not exactly: the nearest double to a half of
        // the last decimal, and its neighbours.
        const double nearHalf = (static_cast<double>(random() % 1000000000) + 0.5) /
                                std::pow(10.0, static_cast<int>(random() % 10));
        values.insert(values.end(), {nearHalf, std::nextafter(nearHalf, 0.0),
                                     std::nextafter(nearHalf, 1e10), -nearHalf});
    }
    // Where the product with 10^6 reaches 2^44, and the shorter way leaves off.
    for (const double edge : {0x1p44 / 1e6, (0x1p44 + 0.5) / 1e6, (0x1p44 - 0.5) / 1e6}) {
        values.insert(values.end(), {edge, std::nextafter(edge, 0.0), std::nextafter(edge, 1e10)});
    }
    for (const double value : values) {
        for (int decimals = 0; decimals <= 10; ++decimals) {
            ASSERT_EQ(formatFixed(value, decimals), toChars(value, decimals))
                << value << " with " << decimals << " decimals";
        }
    }
    // A list written in place, a value past the shorter way among them.
    values.insert(values.begin() + 5, {1e300, -123456789012.5});
    std::string list = "x";
    std::string expected = "x";
    appendFixedList(list, values, 6);
    for (const double value : values) {
        expected += ' ';
        expected += toChars(value, 6);
    }
    EXPECT_EQ(list, expected);
}

}  // namespace
}  // namespace diz
