// Turning the windows' field texts into values and back.
#include "batch/field_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace diz {
namespace {

TEST(ParseInteger, AcceptsSignsAndBlanks) {
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger("  -12 "), -12);
    EXPECT_EQ(parseInteger("+5"), 5);
    EXPECT_EQ(parseInteger("\t2147483647"), 2147483647);
}

TEST(ParseInteger, RejectsEverythingElse) {
    for (const char* text :
         {"", "  ", "abc", "1.5", "1e3", "12a", "- 1", "+", "０ｘ１０", "0x10", "1 2", "１　２"}) {
        EXPECT_FALSE(parseInteger(text).has_value()) << text;
    }
}

// What a Japanese input method types: full-width digits, signs, point and
// spaces read as the ASCII they stand for.
TEST(ParseInteger, FullWidthFormsReadAsTheirAsciiCharacters) {
    EXPECT_EQ(parseInteger("５００"), 500);
    EXPECT_EQ(parseInteger("－１２"), -12);
    EXPECT_EQ(parseInteger("＋１2"), 12);
    EXPECT_EQ(parseInteger("　７　"), 7);  // ideographic spaces around
}

TEST(ParseNumber, FullWidthFormsReadAsTheirAsciiCharacters) {
    EXPECT_EQ(parseNumber("０．２５"), 0.25);
    EXPECT_EQ(parseNumber("－．５"), -0.5);
    EXPECT_EQ(parseNumber("１ｅ－３"), 0.001);
    EXPECT_FALSE(parseNumber("ｉｎｆ").has_value());
}

// Only U+FF01..U+FF5E and U+3000 change: the code points just outside the
// block, other characters and cut-off sequences stay as they are.
TEST(ToHalfWidth, ChangesOnlyTheFullWidthFormsOfAscii) {
    EXPECT_EQ(toHalfWidth("！～"), "!~");                    // U+FF01, U+FF5E
    EXPECT_EQ(toHalfWidth("\xEF\xBC\x80"), "\xEF\xBC\x80");  // U+FF00
    EXPECT_EQ(toHalfWidth("｟ｱ打"), "｟ｱ打");                // U+FF5F, half-width katakana, kanji
    EXPECT_EQ(toHalfWidth("1\xEF\xBC"), "1\xEF\xBC");        // a sequence cut short
}

TEST(ParseInteger, HugeIntegersSaturateSoTheyFailRangeChecks) {
    EXPECT_EQ(parseInteger("99999999999999999999999"), std::numeric_limits<long long>::max());
    EXPECT_EQ(parseInteger("-99999999999999999999999"), -std::numeric_limits<long long>::max());
}

TEST(ParseNumber, DecimalAndExponentForms) {
    EXPECT_EQ(parseNumber("0.25"), 0.25);
    EXPECT_EQ(parseNumber(" -0.5 "), -0.5);
    EXPECT_EQ(parseNumber("+2"), 2.0);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("1e-3"), 0.001);
    EXPECT_EQ(parseNumber("7"), 7.0);
}

TEST(ParseNumber, RejectsNonFiniteAndMalformedText) {
    for (const char* text :
         {"", "abc", "inf", "nan", "-inf", "0x1p3", "1e999", "1.2.3", "+-1", "1,5", "e5"}) {
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
    }
}

TEST(FormatNumber, ShownNumbersReadBackExactly) {
    for (const double value : {0.0, 0.25, 0.1, 1.0 / 3.0, -0.5, 2.0, 0.123457, 1e-7, 12345.678,
                               std::nextafter(0.4, 1.0)}) {
        EXPECT_EQ(parseNumber(formatNumber(value)), value) << formatNumber(value);
    }
    EXPECT_EQ(formatNumber(0.0), "0");
    EXPECT_EQ(formatNumber(0.25), "0.25");
}

}  // namespace
}  // namespace diz
