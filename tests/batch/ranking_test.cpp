// A ranking's rows, sorts, summary, spread and CSV, and its run on a thread
// of its own, without any window.
#include "batch/ranking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <numeric>
#include <random>
#include <thread>

#include "batch/messages.h"
#include "batch/order_evaluators.h"
#include "batch/ranking_run.h"
#include "batch/text_io.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

TrialResult figures(double mean, double deviation) {
    TrialResult r;
    r.meanRuns = mean;
    r.standardError = deviation;
    return r;
}

BattingOrder order(std::string_view letters) { return *mapOrder(letters); }

// Four orders: two tie on expected runs.
RankingTable smallTable() {
    RankingRows rows;
    rows.append(order("cabdefghi"), figures(5.0, 3.0));
    rows.append(order("bacdefghi"), figures(5.5, 2.0));
    rows.append(order("abcdefghi"), figures(5.0, 1.0));
    rows.append(order("acbdefghi"), figures(4.0, 2.0));
    RankingTable table;
    table.setRows(std::move(rows));
    return table;
}

std::vector<std::string> viewOrders(const RankingTable& table) {
    std::vector<std::string> orders;
    for (std::size_t i = 0; i < table.size(); ++i) {
        orders.emplace_back(table.rows().order(table.rowAt(i)));
    }
    return orders;
}

std::string cell(const RankingTable& table, std::size_t viewRow, int column) {
    std::string text;
    table.appendCell(text, table.rowAt(viewRow), column);
    return text;
}

TEST(RankingTable, SortsBestFirstTiesByOrderTextAndAnyColumnOnRequest) {
    RankingTable table = smallTable();
    using V = std::vector<std::string>;
    EXPECT_EQ(viewOrders(table), (V{"bacdefghi", "abcdefghi", "cabdefghi", "acbdefghi"}));
    EXPECT_EQ(cell(table, 0, ranking::kRank), "1");
    EXPECT_EQ(cell(table, 1, ranking::kGap), "-0.500000");
    EXPECT_EQ(table.rows().order(table.worstRow()), "acbdefghi");

    // Ties keep the order text ascending in both directions.
    table.sort(ranking::kDeviation, SortDirection::Ascending);
    EXPECT_EQ(viewOrders(table), (V{"abcdefghi", "acbdefghi", "bacdefghi", "cabdefghi"}));
    table.sort(ranking::kOrder, SortDirection::Descending);
    EXPECT_EQ(viewOrders(table), (V{"cabdefghi", "bacdefghi", "acbdefghi", "abcdefghi"}));
    table.sort(ranking::kRank, SortDirection::Descending);
    EXPECT_EQ(viewOrders(table), (V{"acbdefghi", "cabdefghi", "abcdefghi", "bacdefghi"}));
    table.sort(ranking::kMeanRuns, SortDirection::Ascending);
    EXPECT_EQ(viewOrders(table), (V{"acbdefghi", "abcdefghi", "cabdefghi", "bacdefghi"}));
    EXPECT_EQ(cell(table, 0, ranking::kRank), "4");
    const std::vector<std::uint32_t> places = table.viewPlaces();
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(places[table.rowAt(i)], i);
}

// Any figures, ties, zeros of both signs and negatives among them, come out
// as a comparison sort by value puts them, ties by the order's text, in both
// directions.
TEST(RankingTable, SortsAnyFiguresAsTheirValuesCompare) {
    std::mt19937_64 random(11);
    const std::vector<double> values{-2.5, -0.0, 0.0, 1e-300, 3.25, 3.25, 7.0, 1e300, -1e-300};
    std::vector<BattingOrder> orders;
    BattingOrder o = order("abcdefghi");
    do {
        orders.push_back(o);
    } while (std::next_permutation(o.begin(), o.end()) && orders.size() < 3000);
    std::shuffle(orders.begin(), orders.end(), random);
    RankingRows rows;
    std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
    for (const BattingOrder& each : orders) rows.append(each, figures(5.0, values[pick(random)]));
    for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
        std::vector<std::uint32_t> expected(rows.size());
        std::iota(expected.begin(), expected.end(), 0U);
        std::sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
            const double x = rows.figures[a].deviation;
            const double y = rows.figures[b].deviation;
            if (x != y) return direction == SortDirection::Descending ? x > y : x < y;
            return rows.order(a) < rows.order(b);
        });
        EXPECT_EQ(sortRows(rows, ranking::kDeviation, direction), expected);
    }
}

// Rows that leave their inning figures to be worked out show, row by row
// and all at once (a sort by an inning, the CSV), the figures an evaluation
// of every figure keeps, to the digit.
TEST(RankingRows, DeferredInningsAreThoseTheEvaluationKeeps) {
    BatterTable batters{};
    for (int b = 0; b < kLineupSize; ++b) {
        batters[b] = BatterEntry{500,        80 + 9 * b,     20 + 3 * b, 1 + b % 3,     4 * b,
                                 30 + 5 * b, 0.2 + 0.05 * b, 0.5,        0.3 + 0.04 * b};
    }
    const BatterRecords records = buildRecords(batters);
    const Patterns patterns{"ab*******", "", "", "", "", ""};
    const OrderSelection selection(OrderSource::AcceptedOrderings, patterns, "order.dat", true);
    const auto rowsOf = [&](bool deferred) {
        RankingRows rows;
        if (deferred) rows.deferInnings(records);
        OrderReader orders;
        EXPECT_TRUE(orders.open(selection));
        ExactOrderEvaluator evaluator(records, 1, 2,
                                      ReportOptions{true, true, !deferred, !deferred}, selection);
        evaluateAll(orders, evaluator, [&](const BattingOrder& order, const TrialResult& result) {
            rows.append(order, result);
            return true;
        });
        RankingTable table;
        table.setRows(std::move(rows));
        return table;
    };
    const RankingTable kept = rowsOf(false);
    RankingTable deferred = rowsOf(true);
    ASSERT_EQ(deferred.size(), 5040u);
    const auto csvLines = [](const RankingTable& table, std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) table.appendCsvLine(text, i);
        return text;
    };
    EXPECT_EQ(csvLines(deferred, 20), csvLines(kept, 20));  // one order at a time
    RankingTable sorted = rowsOf(false);
    sorted.sort(ranking::kFirstInningScoring + 4, SortDirection::Ascending);
    deferred.sort(ranking::kFirstInningScoring + 4, SortDirection::Ascending);  // all at once
    EXPECT_EQ(csvLines(deferred, deferred.size()), csvLines(sorted, sorted.size()));
}

// The table keeps inning figures as millionths; they must show the six
// decimals diz-cli prints, ties at half a millionth included.
TEST(RankingRows, InningFiguresKeepTheirSixDecimals) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> runs(0.0, 4000.0);
    std::uniform_int_distribution<std::uint32_t> millionth(0, 4000000000U);
    for (int i = 0; i < 200000; ++i) {
        const double half = (millionth(random) + 0.5) / 1e6;
        for (const double value : {runs(random), runs(random) / 4000.0, half,
                                   std::nextafter(half, 0.0), std::nextafter(half, 5000.0)}) {
            std::string shown;
            appendMillionths(shown, toMillionths(value));
            ASSERT_EQ(shown, formatFixed(value, 6)) << value;
        }
    }
    std::string shown;
    appendMillionths(shown, toMillionths(0.0000005));  // 4.99999e-7 in binary
    EXPECT_EQ(shown, "0.000000");
}

TEST(RankingTable, SummaryNamesTheBestAndTheWorstAndTheirGapOverASeason) {
    EXPECT_EQ(smallTable().summary(),
              "最良 bacdefghi 5.500000 点　最悪 acbdefghi 4.000000 点　差 1.500000 点/試合"
              "（143 試合で 214.50 点）\n"
              "最良と 2 位 abcdefghi の差 0.500000 点/試合");
    EXPECT_EQ(RankingTable().summary(), "");
    RankingRows one;
    one.append(order("abcdefghi"), figures(5.0, 1.0));
    RankingTable alone;
    alone.setRows(std::move(one));
    EXPECT_EQ(alone.summary().find('\n'), std::string::npos);
}

// Orders closer than a thousandth of a run per game are said to be tied in
// effect; at the threshold they are not.
TEST(RankingTable, ARunnerUpWithinAThousandthIsPracticallyTied) {
    const auto summaryOf = [](double best, double second) {
        RankingRows rows;
        rows.append(order("abcdefghi"), figures(best, 1.0));
        rows.append(order("acbdefghi"), figures(second, 1.0));
        rows.append(order("ihgfedcba"), figures(4.0, 1.0));
        RankingTable table;
        table.setRows(std::move(rows));
        const std::string text = table.summary();
        return text.substr(text.find('\n') + 1);
    };
    EXPECT_EQ(summaryOf(5.078538, 5.078322),
              "最良と 2 位 acbdefghi の差 0.000216 点/試合（0.001 点未満：実質的に同点です）");
    EXPECT_EQ(summaryOf(5.0, 5.0),
              "最良と 2 位 acbdefghi の差 0.000000 点/試合（0.001 点未満：実質的に同点です）");
    EXPECT_EQ(summaryOf(5.5, 5.498), "最良と 2 位 acbdefghi の差 0.002000 点/試合");
}

TEST(RunsHistogram, EveryOrderFallsInABinFromTheLowestToTheHighest) {
    RankingRows rows;
    for (int i = 0; i <= 100; ++i) rows.append(order("abcdefghi"), figures(4.0 + i / 100.0, 1));
    const RunsHistogram histogram = runsHistogram(rows, 10);
    ASSERT_EQ(histogram.counts.size(), 10u);
    EXPECT_EQ(histogram.from, 4.0);
    EXPECT_NEAR(histogram.from + 10 * histogram.width, 5.0, 1e-12);
    int total = 0;
    for (const int count : histogram.counts) total += count;
    EXPECT_EQ(total, 101);
    // The lowest and the highest have bins of their own at either end.
    EXPECT_GE(histogram.counts.front(), 1);
    EXPECT_GE(histogram.counts.back(), 1);

    RankingRows same;
    same.append(order("abcdefghi"), figures(5.0, 1));
    same.append(order("bacdefghi"), figures(5.0, 1));
    const RunsHistogram narrow = runsHistogram(same, 10);
    EXPECT_GT(narrow.width, 0.0);
    EXPECT_TRUE(narrow.from < 5.0 && 5.0 < narrow.from + 10 * narrow.width);
    EXPECT_TRUE(runsHistogram(RankingRows(), 10).counts.empty());
}

TEST(RankingTable, SavesItsCsvInTheCurrentSort) {
    test::ScratchDir dir;
    RankingTable table = smallTable();
    table.sort(ranking::kOrder, SortDirection::Ascending);
    ASSERT_EQ(table.saveCsv(dir.path("ranking.csv")), SaveResult::Saved);
    const std::string csv = dir.read("ranking.csv");
    std::string header;
    for (int column = 0; column < ranking::kColumnCount; ++column) {
        if (column > 0) header += ',';
        header += rankingColumnTitle(column);
    }
    EXPECT_EQ(header.rfind("順位,打順,得点期待値,最良との差,標準偏差,1回得点,", 0), 0u);
    EXPECT_NE(header.find(",9回得点,1回得点確率,"), std::string::npos);
    const std::string zeros =
        ",0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,"
        "0.000000,0.000000";
    EXPECT_EQ(csv, "\xEF\xBB\xBF" + header + "\r\n" + "2,abcdefghi,5.000000,-0.500000,1.000000" +
                       zeros + zeros + "\r\n" + "4,acbdefghi,4.000000,-1.500000,2.000000" + zeros +
                       zeros + "\r\n" + "1,bacdefghi,5.500000,0.000000,2.000000" + zeros + zeros +
                       "\r\n" + "3,cabdefghi,5.000000,-0.500000,3.000000" + zeros + zeros + "\r\n");

    EXPECT_EQ(table.saveCsv(dir.path("no/such/folder/ranking.csv")), SaveResult::NotCreated);
    EXPECT_EQ(csvSaveMessage(SaveResult::NotCreated, "/x/r.csv"), "出力が開けません：/x/r.csv");
    EXPECT_EQ(csvSaveMessage(SaveResult::NotWritten, "r.csv"), "出力に書き込めません：r.csv");
    EXPECT_EQ(csvSaveMessage(SaveResult::Saved, "r.csv"), "CSVを保存しました：r.csv");
}

// The small table resampled over four seasons: bacdefghi best in three and
// known throughout, abcdefghi best in one but never followed.
ResampleSummary fourSeasons() {
    ResampleSummary summary;
    summary.requested = 5;
    summary.replicates = 4;
    summary.distinctBest = 2;
    ResampledOrder best;
    best.index = 1;
    best.order = order("bacdefghi");
    best.timesBest = 3;
    best.known = true;
    best.medianRank = 1;
    best.gapLow = -0.0125;
    best.gapHigh = 0.0;
    ResampledOrder other;
    other.index = 2;
    other.order = order("abcdefghi");
    other.timesBest = 1;
    summary.orders = {best, other};
    summary.pointBest = {order("bacdefghi"), 0.75, 0.00321};
    return summary;
}

TEST(RankingTable, ShowsSortsAndSavesTheResampledFiguresOfTheOrdersNamed) {
    test::ScratchDir dir;
    RankingTable table = smallTable();
    ASSERT_EQ(table.saveCsv(dir.path("plain.csv")), SaveResult::Saved);
    const std::string plainSummary = table.summary();
    table.setResampled(fourSeasons());
    ASSERT_TRUE(table.resampled());

    // Best first: bacdefghi, abcdefghi, cabdefghi, acbdefghi.
    EXPECT_EQ(cell(table, 0, ranking::kBestShare), "75.0%");
    EXPECT_EQ(cell(table, 0, ranking::kGapRange), "-0.0125 〜 0.0000");
    EXPECT_EQ(cell(table, 1, ranking::kBestShare), "25.0%");
    EXPECT_EQ(cell(table, 1, ranking::kGapRange), "");
    EXPECT_EQ(cell(table, 2, ranking::kBestShare), "");
    EXPECT_EQ(rankingColumnTitle(ranking::kBestShare), "最善の割合");
    const std::optional<RankingTable::RunsRange> range = table.bestRange();
    ASSERT_TRUE(range);
    EXPECT_DOUBLE_EQ(range->low, 5.5 - 0.0125);
    EXPECT_DOUBLE_EQ(range->high, 5.5);

    // Empty cells sort last either way, in rank order.
    using V = std::vector<std::string>;
    table.sort(ranking::kBestShare, SortDirection::Ascending);
    EXPECT_EQ(viewOrders(table), (V{"abcdefghi", "bacdefghi", "cabdefghi", "acbdefghi"}));
    table.sort(ranking::kBestShare, SortDirection::Descending);
    EXPECT_EQ(viewOrders(table), (V{"bacdefghi", "abcdefghi", "cabdefghi", "acbdefghi"}));
    table.sort(ranking::kGapRange, SortDirection::Ascending);
    EXPECT_EQ(viewOrders(table), (V{"bacdefghi", "abcdefghi", "cabdefghi", "acbdefghi"}));

    // The CSV: the plain one's lines, each with the four columns after it.
    table.sort(ranking::kMeanRuns, SortDirection::Descending);
    ASSERT_EQ(table.saveCsv(dir.path("resampled.csv")), SaveResult::Saved);
    std::vector<std::string> plain;
    std::vector<std::string> resampled;
    for (const auto& [name, lines] :
         {std::pair{"plain.csv", &plain}, {"resampled.csv", &resampled}}) {
        const std::string csv = dir.read(name);
        for (std::size_t from = 0, end; (end = csv.find("\r\n", from)) != std::string::npos;
             from = end + 2) {
            lines->push_back(csv.substr(from, end - from));
        }
    }
    ASSERT_EQ(resampled.size(), 5u);
    EXPECT_EQ(resampled[0], plain[0] + ",最善の割合,順位中央値,差の5%点,差の95%点");
    // plain.csv was saved in the same best-first sort.
    EXPECT_EQ(resampled[1], plain[1] + ",0.750000,1,-0.012500,0.000000");
    EXPECT_EQ(resampled[2], plain[2] + ",0.250000,,,");
    EXPECT_EQ(resampled[3], plain[3] + ",,,,");

    EXPECT_EQ(table.summary(),
              plainSummary +
                  "\n確からしさ：リサンプリング 4 回（5 回のうち、中止）で最良 bacdefghi が最良 "
                  "75.0%、最良になった打順 2 通り、この打順の損失の期待値 0.003210 点/試合（143 "
                  "試合で 0.46 点）");

    // New rows drop the resampling; none without a replicate.
    table.setRows(smallTable().takeRows());
    EXPECT_FALSE(table.resampled());
    EXPECT_FALSE(table.bestRange());
    EXPECT_EQ(cell(table, 0, ranking::kBestShare), "");
    table.setResampled(ResampleSummary());
    EXPECT_EQ(table.summary(), plainSummary);
}

// Waits on the run's finished(), which comes from its thread.
class WaitingObserver final : public RunObserver {
  public:
    void finished(RunOutcome outcome, std::string_view message, std::string_view) override {
        const std::lock_guard lock(m_mutex);
        m_outcome = outcome;
        m_message = message;
        m_ended.notify_all();
    }
    std::pair<RunOutcome, std::string> wait() {
        std::unique_lock lock(m_mutex);
        m_ended.wait(lock, [this] { return m_outcome.has_value(); });
        return {*m_outcome, m_message};
    }
    bool ended() {
        const std::lock_guard lock(m_mutex);
        return m_outcome.has_value();
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::optional<RunOutcome> m_outcome;
    std::string m_message;
};

RankingRows noRows() { return RankingRows(); }

BatterRecords referenceRecords() {
    BatterTable table{};
    table.fill(BatterEntry{400, 100, 20, 2, 10, 50, 0.25, 0.5, 0.4});
    return buildRecords(table);
}

TEST(RankingRun, RanksTheSelectionOnAThreadOfItsOwn) {
    const Patterns patterns{"abcdefg**", "bacdefghi", "", "", "", ""};
    WaitingObserver observer;
    std::string failure;
    const auto run = RankingRun::start(
        OrderSelection(OrderSource::AcceptedOrderings, patterns, "order.dat", true),
        referenceRecords(), {}, observer, noRows, failure);
    ASSERT_TRUE(run);
    const auto [outcome, message] = observer.wait();
    EXPECT_EQ(outcome, RunOutcome::NormalEnd);
    EXPECT_EQ(message, "3 打順を評価しました");
    run->wait();
    EXPECT_EQ(run->ordersTotal(), 3u);
    EXPECT_EQ(run->ordersDone(), 3u);
    RankingRun::Result result = run->takeResult();
    ASSERT_EQ(result.rows.size(), 3u);
    EXPECT_EQ(result.bestFirst.size(), 3u);
    EXPECT_EQ(result.histogram.counts.size(), std::size_t{ranking::kHistogramBins});
    // Nine copies of one batter: every order scores alike, and the figures
    // are those of one game (the deviation of a game's runs).
    EXPECT_NEAR(result.rows.figures[0].meanRuns, result.rows.figures[2].meanRuns, 1e-9);
    EXPECT_GT(result.rows.figures[0].deviation, 2.0);
}

// What a window shows of a run comes from one reading: busy before the
// orders are counted, then done of total while evaluating, and once every
// order is done the ranking that follows is said, never "評価中..." beside a
// full count; a cancelled run says that it is stopping.
TEST(RankingRun, ItsProgressNeverShowsAFullCountAsEvaluating) {
    WaitingObserver observer;
    std::string failure;
    const auto run = RankingRun::start(
        OrderSelection(OrderSource::EveryOrdering, kDefaultPatterns, "order.dat", true),
        referenceRecords(), {}, observer, noRows, failure);
    ASSERT_TRUE(run);
    bool sawEvaluating = false;
    bool sawRanking = false;
    while (!observer.ended()) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        const RankingProgress progress = run->progress();
        if (progress.maximum == 0) {
            EXPECT_EQ(progress.status, msg::kRankingEvaluating);
            continue;
        }
        EXPECT_LE(progress.value, progress.maximum);
        if (progress.value == progress.maximum) {
            EXPECT_EQ(progress.status, msg::kRankingSorting);
            sawRanking = true;
        } else {
            EXPECT_EQ(progress.status, msg::kRankingEvaluating);
            sawEvaluating = true;
        }
    }
    EXPECT_TRUE(sawEvaluating);
    EXPECT_TRUE(sawRanking);  // ranking 362880 orders takes tens of milliseconds
    run->cancel();
    EXPECT_EQ(run->progress().status, msg::kRankingCancelling);
}

TEST(RankingRun, CancelledOrUnopenedRunsGiveNoRows) {
    WaitingObserver observer;
    std::string failure;
    const auto run = RankingRun::start(
        OrderSelection(OrderSource::EveryOrdering, kDefaultPatterns, "order.dat", true),
        referenceRecords(), {}, observer, noRows, failure);
    ASSERT_TRUE(run);
    run->cancel();
    const auto [outcome, message] = observer.wait();
    EXPECT_EQ(outcome, RunOutcome::Interrupted);
    EXPECT_EQ(message, "中止しました");
    run->wait();
    EXPECT_EQ(run->takeResult().rows.size(), 0u);

    // The previous table is not asked for when the orders can't be read, so
    // that it stays; the message names the folder looked in.
    WaitingObserver unheard;
    bool spentTaken = false;
    EXPECT_FALSE(RankingRun::start(
        OrderSelection(OrderSource::OrderFile, kDefaultPatterns, "no-such-order.dat"),
        referenceRecords(), {}, unheard,
        [&] {
            spentTaken = true;
            return RankingRows();
        },
        failure));
    EXPECT_FALSE(spentTaken);
    EXPECT_EQ(failure, "ORDERが開けません：no-such-order.dat\n場所：" +
                           std::filesystem::current_path().string());
}

// Nine batters of different counts, so that the orders differ.
BatterTable variedBatters() {
    BatterTable table{};
    for (int i = 0; i < kLineupSize; ++i) {
        table[static_cast<std::size_t>(i)] = BatterEntry{
            400 + 10 * i, 80 + 6 * i, 15 + i, i % 3, 4 + 3 * i, 30 + 4 * i, 0.25, 0.5, 0.4};
    }
    return table;
}

// The whole result as a window gathers it: the ranking handed over ahead of
// the seasons (when it resampled), then the rest.
RankingRun::Result takeWhole(RankingRun& run) {
    const bool early = run.rankingReady();
    RankingRun::Result ranking = early ? run.takeRanking() : RankingRun::Result();
    RankingRun::Result result = run.takeResult();
    if (early) {
        EXPECT_TRUE(result.rows.size() == 0);
        EXPECT_EQ(ranking.outcome, RunOutcome::NormalEnd);
        result.rows = std::move(ranking.rows);
        result.bestFirst = std::move(ranking.bestFirst);
        result.histogram = std::move(ranking.histogram);
    }
    return result;
}

RankingRun::Result runToTheEnd(const OrderSelection& selection, const BatterTable& batters,
                               std::uint32_t replicates) {
    WaitingObserver observer;
    std::string failure;
    const auto run = RankingRun::start(selection, buildRecords(batters), {batters, replicates},
                                       observer, noRows, failure);
    EXPECT_TRUE(run);
    if (!run) return {};
    observer.wait();
    run->wait();
    // Only a resampled ranking is handed over ahead of the end.
    EXPECT_EQ(run->rankingReady(), replicates > 0);
    return takeWhole(*run);
}

// The run resamples its ranking as diz-cli exact --resample does: the rows
// in selection order, the first ten best shown and the lookahead followed,
// the default seed.
TEST(RankingRun, ResamplesItsRankingAsResampleOrdersDoes) {
    const Patterns patterns{"abcde****", "", "", "", "", ""};
    const OrderSelection selection(OrderSource::AcceptedOrderings, patterns, "order.dat", true);
    const BatterTable batters = variedBatters();
    RankingRun::Result result = runToTheEnd(selection, batters, 20);
    ASSERT_EQ(result.outcome, RunOutcome::NormalEnd);
    EXPECT_EQ(result.message, msg::rankingEvaluated(24));
    ASSERT_EQ(result.rows.size(), 24u);

    std::vector<BattingOrder> orders;
    for (std::size_t row = 0; row < result.rows.size(); ++row) {
        orders.push_back(order(result.rows.order(row)));
    }
    ResampleOptions options;
    options.replicates = 20;
    const ResampleSummary expected =
        resampleOrders(batters, orders, result.bestFirst, ranking::kResampleShown, options);
    const ResampleSummary& got = result.resampled;
    EXPECT_EQ(got.replicates, 20u);
    EXPECT_EQ(got.seed, resampling::kDefaultSeed);
    EXPECT_EQ(got.distinctBest, expected.distinctBest);
    EXPECT_EQ(got.pointBest.order, orders[result.bestFirst[0]]);
    EXPECT_EQ(got.pointBest.share, expected.pointBest.share);
    EXPECT_EQ(got.pointBest.cost, expected.pointBest.cost);
    ASSERT_EQ(got.orders.size(), expected.orders.size());
    ASSERT_GE(got.orders.size(), ranking::kResampleShown);
    for (std::size_t i = 0; i < got.orders.size(); ++i) {
        SCOPED_TRACE(orderText(expected.orders[i].order));
        EXPECT_EQ(got.orders[i].index, expected.orders[i].index);
        EXPECT_EQ(got.orders[i].order, orders[got.orders[i].index]);
        EXPECT_EQ(got.orders[i].timesBest, expected.orders[i].timesBest);
        EXPECT_EQ(got.orders[i].medianRank, expected.orders[i].medianRank);
        EXPECT_EQ(got.orders[i].gapLow, expected.orders[i].gapLow);
        EXPECT_EQ(got.orders[i].gapHigh, expected.orders[i].gapHigh);
    }
    // A season of these counts is not the entered one: some order's gap
    // spreads below zero.
    EXPECT_LT(got.orders.back().gapLow, 0.0);

    // Without replicates nothing is resampled.
    EXPECT_EQ(runToTheEnd(selection, batters, 0).resampled.replicates, 0u);
}

// 中止 while resampling keeps the whole ranking and the seasons done; the
// progress counts seasons meanwhile.
TEST(RankingRun, CancelWhileResamplingKeepsTheRankingAndTheSeasonsDone) {
    const Patterns patterns{"abcd*****", "", "", "", "", ""};
    WaitingObserver observer;
    std::string failure;
    const BatterTable batters = variedBatters();
    const auto run = RankingRun::start(
        OrderSelection(OrderSource::AcceptedOrderings, patterns, "order.dat", true),
        buildRecords(batters), {batters, resampling::kReplicatesMax}, observer, noRows, failure);
    ASSERT_TRUE(run);
    RankingProgress progress{};
    while (!observer.ended()) {
        progress = run->progress();
        if (progress.status == msg::kRankingResampling && progress.value >= 2) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(progress.status, msg::kRankingResampling);
    EXPECT_EQ(progress.maximum, resampling::kReplicatesMax);
    // The ranking is there to be shown while the seasons are drawn.
    EXPECT_TRUE(run->rankingReady());
    run->cancel();
    const auto [outcome, message] = observer.wait();
    run->wait();
    RankingRun::Result result = takeWhole(*run);
    EXPECT_EQ(outcome, RunOutcome::NormalEnd);
    EXPECT_EQ(result.rows.size(), 120u);
    const std::uint32_t done = result.resampled.replicates;
    EXPECT_GE(done, 2u);
    EXPECT_LT(done, resampling::kReplicatesMax);
    EXPECT_EQ(result.resampled.requested, resampling::kReplicatesMax);
    EXPECT_EQ(message, msg::rankingResampleStopped(120, done, resampling::kReplicatesMax));
    EXPECT_EQ(result.message, message);
}

}  // namespace
}  // namespace diz
