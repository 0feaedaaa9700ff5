// The pieces of the run pipeline: the result line, handing orders to an
// evaluator in batches, and the exact evaluator behind it.
#include "batch/run_pipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <map>
#include <new>
#include <sstream>
#include <vector>

#include "batch/batter_data.h"
#include "batch/order_evaluators.h"
#include "batch/text_io.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

Patterns only(const LineupPattern& first, const LineupPattern& second = "") {
    return Patterns{first, second, "", "", "", ""};
}

TEST(ComposeResultLine, PartsComeInTheirFixedOrderWithSixDecimals) {
    TrialResult result;
    result.meanRuns = 4.5;
    result.standardError = 0.0000005;  // below half a millionth in binary
    for (int i = 0; i < kInnings; ++i) {
        result.inningRuns[i] = i;
        result.inningScoring[i] = 1.0 / (i + 1);
    }
    const BattingOrder order{8, 7, 6, 5, 4, 3, 2, 1, 0};
    std::string line = "left over from the last line";
    composeResultLine(line, order, ReportOptions{false, false, false, false}, result);
    EXPECT_EQ(line, "ihgfedcba");
    composeResultLine(line, order, ReportOptions{true, true, false, false}, result);
    EXPECT_EQ(line, "ihgfedcba 4.500000 0.000000");
    composeResultLine(line, order, ReportOptions{false, true, false, true}, result);
    EXPECT_EQ(line,
              "ihgfedcba 0.000000 1.000000 0.500000 0.333333 0.250000 0.200000 0.166667 "
              "0.142857 0.125000 0.111111");
    composeResultLine(line, order, ReportOptions{true, false, true, false}, result);
    EXPECT_EQ(line,
              "ihgfedcba 4.500000 0.000000 1.000000 2.000000 3.000000 4.000000 5.000000 "
              "6.000000 7.000000 8.000000");
}

// Records the batches it is handed; the figure of an order is its first
// batter's row.
class CountingEvaluator final : public OrderEvaluator {
  public:
    explicit CountingEvaluator(std::size_t batch, bool beside = false)
        : m_batch(batch), m_beside(beside) {}
    std::size_t batchSize() const override { return m_batch; }
    bool runsBesideTheSink() const override { return m_beside; }
    bool evaluate(std::span<const BattingOrder> orders, std::span<TrialResult> results) override {
        batches.push_back(orders.size());
        for (std::size_t k = 0; k < orders.size(); ++k) results[k].meanRuns = orders[k][0];
        return !failOnBatch || batches.size() != *failOnBatch;
    }
    std::vector<std::size_t> batches;
    std::optional<std::size_t> failOnBatch;

  private:
    std::size_t m_batch;
    bool m_beside;
};

// Whether the next batch is evaluated beside the sink or after it, every
// order reaches the sink once, in selection order, with its own figures.
TEST(EvaluateAll, HandsOrdersOverInBatchesAndEveryResultToTheSink) {
    for (const bool beside : {false, true}) {
        std::istringstream file("abcdefghi\nbacdefghi\ncabdefghi\ndabcefghi\nebcdafghi\n");
        OrderReader orders(file, only("*********"));
        CountingEvaluator evaluator(2, beside);
        std::vector<double> seen;
        EXPECT_TRUE(
            evaluateAll(orders, evaluator, [&](const BattingOrder& order, const TrialResult& r) {
                EXPECT_EQ(r.meanRuns, order[0]);
                seen.push_back(r.meanRuns);
                return true;
            }));
        EXPECT_EQ(evaluator.batches, (std::vector<std::size_t>{2, 2, 1}));
        EXPECT_EQ(seen, (std::vector<double>{0, 1, 2, 3, 4}));
    }
}

// A stop set during a batch lets that batch's results all reach the sink and
// starts no other; a sink or an evaluator that says no ends the run too.
TEST(EvaluateAll, StopsAfterTheBatchAtHand) {
    const std::string lines = "abcdefghi\nbacdefghi\ncabdefghi\ndabcefghi\nebcdafghi\n";
    std::atomic<bool> stop{false};
    {
        std::istringstream file(lines);
        OrderReader orders(file, only("*********"));
        CountingEvaluator evaluator(2);
        std::size_t delivered = 0;
        EXPECT_FALSE(evaluateAll(
            orders, evaluator,
            [&](const BattingOrder&, const TrialResult&) {
                stop = true;
                ++delivered;
                return true;
            },
            &stop));
        EXPECT_EQ(delivered, 2u);
        EXPECT_EQ(evaluator.batches.size(), 1u);
    }
    {
        std::istringstream file(lines);
        OrderReader orders(file, only("*********"));
        CountingEvaluator evaluator(1);
        std::size_t delivered = 0;
        EXPECT_FALSE(evaluateAll(orders, evaluator, [&](const BattingOrder&, const TrialResult&) {
            return ++delivered < 3;
        }));
        EXPECT_EQ(delivered, 3u);
    }
    {
        // A batch evaluated beside the sink before the stop is dropped.
        stop = false;
        std::istringstream file(lines);
        OrderReader orders(file, only("*********"));
        CountingEvaluator evaluator(2, true);
        std::size_t delivered = 0;
        EXPECT_FALSE(evaluateAll(
            orders, evaluator,
            [&](const BattingOrder&, const TrialResult&) {
                stop = true;
                ++delivered;
                return true;
            },
            &stop));
        EXPECT_EQ(delivered, 2u);
        EXPECT_LE(evaluator.batches.size(), 2u);
    }
    {
        std::istringstream file(lines);
        OrderReader orders(file, only("*********"));
        CountingEvaluator evaluator(2);
        evaluator.failOnBatch = 2;
        std::size_t delivered = 0;
        EXPECT_FALSE(evaluateAll(orders, evaluator, [&](const BattingOrder&, const TrialResult&) {
            ++delivered;
            return true;
        }));
        EXPECT_EQ(delivered, 2u);  // the failed batch's results are not handed on
    }
}

// The outcomes and messages of a run, recorded.
struct OutcomeObserver final : RunObserver {
    void finished(RunOutcome outcome, std::string_view message, std::string_view) override {
        outcomes.push_back(outcome);
        messages.emplace_back(message);
    }
    std::vector<RunOutcome> outcomes;
    std::vector<std::string> messages;
};

// A selection of no ordering (a pattern of eight characters) is its own
// outcome, not a normal end, and keeps the previous results.
TEST(RunOrders, NothingSelectedIsToldAndKeepsThePreviousResults) {
    test::ScratchDir dir;
    dir.write("output.txt", "old");
    RunPlan plan;
    plan.selection = OrderSelection(OrderSource::AcceptedOrderings, only("abcdefgh"));
    plan.resultName = dir.path("output.txt").string();
    CountingEvaluator evaluator(4);
    OutcomeObserver observer;
    EXPECT_EQ(runOrders(plan, evaluator, observer), RunOutcome::NothingSelected);
    EXPECT_EQ(observer.messages,
              (std::vector<std::string>{messageWithName(
                  "打線指定に合う打順がありません\n出力は変更していません：", plan.resultName)}));
    EXPECT_TRUE(evaluator.batches.empty());
    EXPECT_EQ(dir.read("output.txt"), "old");
}

// Stopped before the first line: the previous results stay, and the message
// says so; stopped after one, its line replaces them.
TEST(RunOrders, AnInterruptionKeepsThePreviousResultsUnlessALineWasWritten) {
    test::ScratchDir dir;
    dir.write("output.txt", "old");
    RunPlan plan;
    plan.selection = OrderSelection(OrderSource::AcceptedOrderings, only("a********"));
    plan.resultName = dir.path("output.txt").string();
    std::atomic<bool> stop{true};
    plan.stop = &stop;
    CountingEvaluator evaluator(1);
    OutcomeObserver observer;
    EXPECT_EQ(runOrders(plan, evaluator, observer), RunOutcome::Interrupted);
    EXPECT_EQ(observer.messages.back(),
              messageWithName("中断しました。書き込んだ打順：0\n出力は変更していません：",
                              plan.resultName));
    EXPECT_EQ(dir.read("output.txt"), "old");

    // The sink runs only for a finished batch: stop during the first one.
    struct StopAfterFirst final : OrderEvaluator {
        std::atomic<bool>& stop;
        explicit StopAfterFirst(std::atomic<bool>& flag) : stop(flag) {}
        std::size_t batchSize() const override { return 1; }
        bool evaluate(std::span<const BattingOrder>, std::span<TrialResult>) override {
            stop = true;
            return true;
        }
    } stopping(stop);
    stop = false;
    plan.report = ReportOptions{false, false, false, false};
    EXPECT_EQ(runOrders(plan, stopping, observer), RunOutcome::Interrupted);
    EXPECT_EQ(dir.read("output.txt"), "abcdefghi\r\n");
}

// Running out of memory part way passes the exception on, from the thread
// that evaluates ahead as well, and the lines of the unfinished run never
// replace the previous results.
TEST(RunOrders, AnExceptionPartWayKeepsThePreviousResults) {
    for (const bool beside : {false, true}) {
        test::ScratchDir dir;
        dir.write("output.txt", "old");
        struct RunsOut final : OrderEvaluator {
            explicit RunsOut(bool aside) : beside(aside) {}
            bool beside;
            int calls = 0;
            std::size_t batchSize() const override { return 1; }
            bool runsBesideTheSink() const override { return beside; }
            bool evaluate(std::span<const BattingOrder>, std::span<TrialResult>) override {
                if (++calls == 3) throw std::bad_alloc();
                return true;
            }
        } evaluator(beside);
        RunPlan plan;
        plan.selection = OrderSelection(OrderSource::AcceptedOrderings, only("a********"));
        plan.resultName = dir.path("output.txt").string();
        OutcomeObserver observer;
        EXPECT_THROW(runOrders(plan, evaluator, observer), std::bad_alloc) << beside;
        EXPECT_EQ(evaluator.calls, 3);
        EXPECT_EQ(dir.read("output.txt"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path(".")),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

TEST(CountSelectedOrders, StopsCountingOnceCancelled) {
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(countSelectedOrders(OrderSelection(OrderSource::AcceptedOrderings, only("*********")),
                                  &cancelled),
              0u);
    EXPECT_EQ(
        countSelectedOrders(OrderSelection(OrderSource::AcceptedOrderings, only("a********"))),
        std::size_t{kRotationSets});
}

// The exact evaluator gives an order the same figures, to the bit, whether
// the orderings come in lexicographic order or set by set, when it then
// remembers only the sets at hand.
TEST(ExactOrderEvaluator, TheSequenceOfTheOrderingsChangesNoFigure) {
    // Nine different batters, so that no two sets give the same figures.
    std::string lines;
    for (int i = 0; i < kLineupSize; ++i) {
        lines += std::to_string(400 + 10 * i) + " " + std::to_string(90 + 3 * i) + " 20 2 " +
                 std::to_string(5 + i) + " 50 0.250000 0.500000 0.400000\r\n";
    }
    std::istringstream file(lines);
    BatterTable table{};
    readBatterTable(file, table);
    const BatterRecords records = buildRecords(table);
    const Patterns patterns = only("b*a*d****", "c*****a*d");
    std::map<std::string, TrialResult> byText;
    for (const bool anySequence : {false, true}) {
        const OrderSelection selection(OrderSource::AcceptedOrderings, patterns, "", anySequence);
        OrderReader orders;
        ASSERT_TRUE(orders.open(selection));
        const ReportOptions everyFigure{true, true, true, true};
        ExactOrderEvaluator evaluator(records, 1, 2, everyFigure, selection);
        std::size_t count = 0;
        ASSERT_TRUE(evaluateAll(
            orders, evaluator, [&](const BattingOrder& order, const TrialResult& result) {
                ++count;
                const std::string text = orderText(order);
                if (!anySequence) {
                    byText[text] = result;
                } else {
                    EXPECT_EQ(std::memcmp(&byText.at(text), &result, sizeof result), 0) << text;
                }
                return true;
            }));
        EXPECT_EQ(count, byText.size());
    }
}

}  // namespace
}  // namespace diz
