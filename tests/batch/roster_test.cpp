#include "batch/roster.h"

#include <gtest/gtest.h>

#include <string>

#include "batch/code_page.h"

namespace diz {
namespace {

std::optional<Roster> parse(std::string_view bytes, RosterProblem* problem = nullptr) {
    RosterProblem ignored;
    return parseRoster(bytes, kDefaultRunningRates, problem != nullptr ? *problem : ignored);
}

TEST(RosterReads, EnglishHeaderWithHitsQuotedNamesAndHitByPitch) {
    const auto roster = parse(
        "name,AB,H,2B,3B,HR,BB,HBP,1B 1to3,1B 2to4,2B 1to4,pos\r\n"
        "\"Mori, Jr.\",500,150,30,3,20,50,6,0.3,0.6,0.45,CF\r\n"
        "\"Say \"\"Ace\"\" Ota\",400,100,10,0,5,30,0,0.25,0.5,0.4,P\r\n");
    ASSERT_TRUE(roster);
    ASSERT_EQ(roster->players.size(), 2u);
    const RosterPlayer& mori = roster->players[0];
    EXPECT_EQ(mori.name, "Mori, Jr.");
    EXPECT_EQ(mori.batter.atBats, 500);
    EXPECT_EQ(mori.batter.singles, 150 - 30 - 3 - 20);
    EXPECT_EQ(mori.batter.doubles, 30);
    EXPECT_EQ(mori.batter.homeRuns, 20);
    EXPECT_EQ(mori.batter.walks, 56);  // hit-by-pitches count as walks
    EXPECT_DOUBLE_EQ(mori.batter.rate1B2to4, 0.6);
    EXPECT_EQ(roster->players[1].name, "Say \"Ace\" Ota");
    EXPECT_EQ(roster->ignoredColumns, std::vector<std::string>{"pos"});
    EXPECT_EQ(roster->rateDefaulted, (std::array<bool, 3>{false, false, false}));
    EXPECT_FALSE(roster->codePage932);
}

TEST(RosterReads, JapaneseHeadersInAnyOrderWithSinglesAndAByteOrderMark) {
    const std::string body =
        "本塁打,選手名,四球,打数,単打,二塁打,三塁打,死球,一塁→三塁,二塁→本塁,一塁→本塁\n"
        "3,佐々木 翔,40,450,90,20,1,4,0.2,0.5,0.3\n";
    const auto plain = parse(body);
    const auto marked = parse("\xEF\xBB\xBF" + body);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(marked);
    const BatterEntry& b = plain->players[0].batter;
    EXPECT_EQ(plain->players[0].name, "佐々木 翔");
    EXPECT_EQ(marked->players[0].name, "佐々木 翔");
    EXPECT_EQ(b.singles, 90);
    EXPECT_EQ(b.homeRuns, 3);
    EXPECT_EQ(b.walks, 44);
    // The rates by meaning: 二塁→本塁 is a runner from second scoring on a
    // single, 一塁→本塁 one from first on a double.
    EXPECT_DOUBLE_EQ(b.rate1B1to3, 0.2);
    EXPECT_DOUBLE_EQ(b.rate1B2to4, 0.5);
    EXPECT_DOUBLE_EQ(b.rate2B1to4, 0.3);
}

TEST(RosterReads, HeadingsWithoutCaseBlanksOrFullWidthForms) {
    EXPECT_EQ(rosterColumnOf("Name"), RosterColumn::Name);
    EXPECT_EQ(rosterColumnOf(" ab "), RosterColumn::AtBats);
    EXPECT_EQ(rosterColumnOf("ＨＲ"), RosterColumn::HomeRuns);
    EXPECT_EQ(rosterColumnOf("1b_1to3"), RosterColumn::Rate1B1to3);
    EXPECT_EQ(rosterColumnOf("2B 1TO4"), RosterColumn::Rate2B1to4);
    EXPECT_EQ(rosterColumnOf("一塁->本塁"), RosterColumn::Rate2B1to4);
    EXPECT_EQ(rosterColumnOf("hbp"), RosterColumn::HitByPitch);
    EXPECT_FALSE(rosterColumnOf("AVG"));
    EXPECT_FALSE(rosterColumnOf("1B 1to4"));
}

TEST(RosterReads, CodePage932WhenTheBytesAreNotUtf8) {
    // "選手名,打数,安打,二塁打,三塁打,本塁打,四球" and "青木 一郎,400,120,20,2,10,40"
    // as a Japanese spreadsheet saves them.
    const std::string bytes =
        "\x91\x49\x8E\xE8\x96\xBC\x2C\x91\xC5\x90\x94\x2C\x88\xC0\x91\xC5\x2C\x93\xF1\x97\xDB"
        "\x91\xC5\x2C\x8E\x4F\x97\xDB\x91\xC5\x2C\x96\x7B\x97\xDB\x91\xC5\x2C\x8E\x6C\x8B\x85"
        "\x0D\x0A\x90\xC2\x96\xD8\x20\x88\xEA\x98\x59\x2C\x34\x30\x30\x2C\x31\x32\x30\x2C\x32"
        "\x30\x2C\x32\x2C\x31\x30\x2C\x34\x30\x0D\x0A";
    ASSERT_FALSE(isUtf8(bytes));
    const auto roster = parse(bytes);
    ASSERT_TRUE(roster);
    EXPECT_TRUE(roster->codePage932);
    EXPECT_EQ(roster->players[0].name, "青木 一郎");
    EXPECT_EQ(roster->players[0].batter.singles, 120 - 20 - 2 - 10);
    EXPECT_EQ(roster->rateDefaulted, (std::array<bool, 3>{true, true, true}));
}

TEST(RosterReads, MissingRatesTakeTheDefaultsGiven) {
    const RunningRates mine{0.1, 0.2, 0.3};
    RosterProblem problem;
    const auto roster =
        parseRoster("name,AB,1B,2B,3B,HR,BB,1B 2to4\nA,100,20,5,1,2,10,\nB,100,20,5,1,2,10,0.75\n",
                    mine, problem);
    ASSERT_TRUE(roster) << problem.reason;
    EXPECT_EQ(roster->rateDefaulted, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(roster->emptyRateCells, 1);
    EXPECT_DOUBLE_EQ(roster->players[0].batter.rate1B1to3, 0.1);
    EXPECT_DOUBLE_EQ(roster->players[0].batter.rate1B2to4, 0.2);  // empty cell
    EXPECT_DOUBLE_EQ(roster->players[1].batter.rate1B2to4, 0.75);
    EXPECT_DOUBLE_EQ(roster->players[1].batter.rate2B1to4, 0.3);
}

TEST(RosterReads, BlankLinesAndTrailingBlankRowsAreNoPlayers) {
    const auto roster = parse("\nname,AB,H,2B,3B,HR,BB\n\nA,100,20,5,1,2,10\n,,,,,,\n\n");
    ASSERT_TRUE(roster);
    EXPECT_EQ(roster->players.size(), 1u);
}

struct Refusal {
    const char* what;
    std::string bytes;
    int line;
    int column;
    std::string reason;  // a part of the reason
};

TEST(RosterRefuses, EveryBadHeaderRowOrCellWithItsPlace) {
    const std::string header = "name,AB,H,2B,3B,HR,BB\n";
    std::string fortyOne = header;
    for (int p = 0; p < 41; ++p) {
        fortyOne += 'P';
        fortyOne += std::to_string(p);
        fortyOne += ",100,20,5,1,2,10\n";
    }
    const Refusal cases[] = {
        {"no at-bats column", "name,H,2B,3B,HR,BB\nA,1,0,0,0,0\n", 1, 0, "打数 (AB)"},
        {"no hits", "name,AB,2B,3B,HR,BB\nA,1,0,0,0,0\n", 1, 0, "安打 (H)"},
        {"a column twice", "name,AB,H,2B,3B,HR,BB,打数\n", 1, 8, "2 度目"},
        {"an empty heading", "name,AB,,H,2B,3B,HR,BB\n", 1, 3, "見出しが空"},
        {"a word for a count", header + "A,100,twenty,5,1,2,10\n", 2, 3, "H「twenty」は整数"},
        {"a fraction for a count", header + "A,100,20,5.5,1,2,10\n", 2, 4, "2B「5.5」"},
        {"no at-bats", header + "A,0,0,0,0,0,10\n", 2, 2, "AB 0 は範囲外です (1..100000)"},
        {"a count too large", header + "A,100,20,5,1,2,100000\n", 2, 7, "(0..99999)"},
        {"an empty count", header + "A,100,,5,1,2,10\n", 2, 3, "H「」"},
        {"fewer hits than extra-base hits", header + "A,100,5,5,1,2,10\n", 2, 3, "より少ない"},
        {"more hits than at-bats", header + "A,10,20,5,1,2,10\n", 2, 3, "打数 10 を超えて"},
        {"H against 1B", "name,AB,H,1B,2B,3B,HR,BB\nA,100,30,20,5,1,2,10\n", 2, 3, "合いません"},
        {"a rate above one", "name,AB,H,2B,3B,HR,BB,1B 1to3\nA,100,20,5,1,2,10,1.5\n", 2, 8,
         "0 から 1 の間"},
        {"a rate that is no number", "name,AB,H,2B,3B,HR,BB,1B 1to3\nA,100,20,5,1,2,10,x\n", 2, 8,
         "数ではありません"},
        {"too few cells", header + "A,100,20,5,1,2\n", 2, 0, "値が 6 個"},
        {"too many cells", header + "A,100,20,5,1,2,10,9\n", 2, 0, "値が 8 個"},
        {"an empty name", header + ",100,20,5,1,2,10\n", 2, 1, "名前が空"},
        {"a name twice", header + "A,100,20,5,1,2,10\nB,100,20,5,1,2,10\nA,90,20,5,1,2,10\n", 4, 1,
         "名前「A」は 2 行目にも"},
        {"a stray quote", header + "A \"x\",100,20,5,1,2,10\n", 2, 1, "引用符"},
        {"an unclosed quote", header + "\"A,100,20,5,1,2,10\n", 2, 1, "閉じていません"},
        {"text after a closing quote", header + "\"A\"x,100,20,5,1,2,10\n", 2, 1, "引用符"},
        {"forty-one players", fortyOne, 42, 0, "40 人まで"},
        {"no player", header, 0, 0, "選手の行がありません"},
        {"no header", "\n\n", 0, 0, "見出しの行"},
        {"neither UTF-8 nor code page 932", header + "\xFF\xFF,1,0,0,0,0,0\n", 0, 0, "CP932"},
        {"a NUL", header + std::string("A\0,1,0,0,0,0,0\n", 15), 2, 1, "NUL"},
    };
    for (const Refusal& c : cases) {
        RosterProblem problem;
        EXPECT_FALSE(parse(c.bytes, &problem)) << c.what;
        EXPECT_EQ(problem.line, c.line) << c.what << ": " << problem.reason;
        EXPECT_EQ(problem.column, c.column) << c.what << ": " << problem.reason;
        EXPECT_NE(problem.reason.find(c.reason), std::string::npos)
            << c.what << ": " << problem.reason;
    }
}

TEST(RosterRefuses, TellsFileLineAndColumn) {
    EXPECT_EQ((RosterProblem{4, 3, "x"}.text("r.csv")), "r.csv:4:3: x");
    EXPECT_EQ((RosterProblem{4, 0, "x"}.text("r.csv")), "r.csv:4: x");
    EXPECT_EQ((RosterProblem{0, 0, "x"}.text("r.csv")), "r.csv: x");
}

TEST(RosterWrites, NineBatterRowsReadBackAsTheSamePlayers) {
    BatterTable table{};
    for (int row = 0; row < kLineupSize; ++row) {
        table[row] = {400 + row, 90, 20, row, 10, 40 + row, 0.1 * row, 0.55, 1.0 / 3.0};
    }
    std::vector<std::string> names = defaultBatterNames();
    names[2] = "Kato, \"K\"";
    const std::string text = formatRoster(rosterFromBatters(table, names));
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    const auto roster = parse(text);
    ASSERT_TRUE(roster);
    ASSERT_EQ(roster->players.size(), 9u);
    for (int row = 0; row < kLineupSize; ++row) {
        const BatterEntry& b = roster->players[row].batter;
        EXPECT_EQ(roster->players[row].name, names[row]);
        EXPECT_EQ(b.atBats, table[row].atBats);
        EXPECT_EQ(b.singles, table[row].singles);
        EXPECT_EQ(b.triples, table[row].triples);
        EXPECT_EQ(b.walks, table[row].walks);
        EXPECT_EQ(b.rate1B1to3, table[row].rate1B1to3);  // to the bit
        EXPECT_EQ(b.rate2B1to4, table[row].rate2B1to4);
    }
    EXPECT_EQ(defaultBatterNames()[8], "打者I");
}

TEST(CodePage, TellsUtf8FromOtherBytes) {
    EXPECT_TRUE(isUtf8("plain 名前"));
    EXPECT_FALSE(isUtf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(isUtf8("\xED\xA0\x80"));  // a surrogate
    EXPECT_FALSE(isUtf8("\xE5\x90"));      // cut short
    EXPECT_EQ(cp932ToUtf8("\x96\xBC\x91\x4F"), std::optional<std::string>("名前"));
    EXPECT_EQ(cp932ToUtf8("\xB1"), std::optional<std::string>("ｱ"));  // half-width katakana
}

}  // namespace
}  // namespace diz
