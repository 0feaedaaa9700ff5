#include "batch/simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "batch/messages.h"
#include "batch/result_file.h"
#include "batch/text_io.h"
#include "batch/window_model.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

using test::RecordingWindow;
using test::ScratchDir;
using test::ScriptedChooser;

const std::string kNormalEndPrefix = "正常に終了しました。\n出力：";

// Every row the reference batter of the engine's golden figures.
WindowModel referenceModel() {
    WindowModel model;
    for (BatterEntry& entry : model.batters) {
        entry = BatterEntry{400, 100, 20, 2, 10, 50, 0.25, 0.5, 0.4};
    }
    return model;
}

struct RunFixture {
    ScratchDir dir;
    WindowModel model = referenceModel();
    RecordingWindow window{model};
    ScriptedChooser chooser{dir.path("output.txt").string()};
    SimulationFiles files;

    RunFixture() { files.orderFile = dir.path("order.dat").string(); }
    RunOutcome operator()() { return runSimulation(model, window, chooser, files); }
};

// Records what a run tells its observer, for the runs started without a
// window.
struct RecordingObserver final : RunObserver {
    void log(std::string_view text) override { logged += text; }
    void progress(std::uint64_t done) override { progressed.push_back(done); }
    void finished(RunOutcome outcome, std::string_view message, std::string_view reason) override {
        outcomes.push_back(outcome);
        messages.emplace_back(message);
        reasons.emplace_back(reason);
    }
    std::string logged;
    std::vector<std::uint64_t> progressed;
    std::vector<RunOutcome> outcomes;
    std::vector<std::string> messages;
    std::vector<std::string> reasons;
};

// The log is cleared and gets the nine summary lines before anything else;
// the status says the run has begun, and the window is repainted, only once
// the files are open; each result line goes to the log as it is written; the
// outcome is reported last.
TEST(SimulationRun, ReferenceOrderGivesTheGoldenFirstLine) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\r\nbacdefghi\r\n");
    ASSERT_EQ(run(), RunOutcome::NormalEnd);
    EXPECT_EQ(run.dir.read("output.txt"), "abcdefghi 6.107143 0.315209\r\n");
    EXPECT_EQ(run.chooser.lastRequest->initialName, "output.txt");
    EXPECT_TRUE(run.chooser.lastRequest->overwritePrompt);
    EXPECT_TRUE(run.chooser.lastRequest->createPrompt);

    std::string summary;
    for (int row = 0; row < kLineupSize; ++row) summary += summaryLine(run.model.batters[row], row);
    const std::string normalEnd = kNormalEndPrefix + run.chooser.answer.value();
    EXPECT_EQ(run.window.calls,
              (std::vector<std::string>{"clear", "append:" + summary, "show", "repaint",
                                        "append:abcdefghi 6.107143 0.315209\n",
                                        "report:" + normalEnd, "show", "show"}));
    // The box says the outcome; the status line leads on to the ranking.
    EXPECT_EQ(run.model.statusText, std::string(msg::kRankingHint) + normalEnd);
}

// Without a window the same run is opened the same way: the summary lines to
// the observer's log, the engine loaded, the progress counted order by order.
TEST(SimulationRun, OpensTheSameWayWithoutAWindow) {
    ScratchDir dir;
    dir.write("order.dat", "abcdefghi\nabcdefghi\n");
    const WindowModel model = referenceModel();
    RecordingObserver observer;
    const std::unique_ptr<TrialEvaluator> evaluator =
        openSimulation(model.batters, model.gamesPerOrder, observer);
    ASSERT_TRUE(evaluator);
    EXPECT_EQ(observer.logged, summaryLines(model.batters));
    RunPlan plan;
    plan.selection =
        OrderSelection(OrderSource::OrderFile, kDefaultPatterns, dir.path("order.dat").string());
    plan.resultName = dir.path("output.txt").string();
    EXPECT_EQ(runOrders(plan, *evaluator, observer), RunOutcome::NormalEnd);
    EXPECT_EQ(observer.progressed, (std::vector<std::uint64_t>{1, 2}));
    EXPECT_EQ(dir.read("output.txt").substr(0, 29), "abcdefghi 6.107143 0.315209\r\n");

    RecordingObserver missing;
    EXPECT_FALSE(openSimulation(model.batters, 140, missing, "no-such-engine"));
    EXPECT_EQ(missing.outcomes, (std::vector<RunOutcome>{RunOutcome::Failed}));
    EXPECT_EQ(missing.messages, (std::vector<std::string>{"REDI_DORが開けません"}));
    EXPECT_NE(missing.reasons[0].find("libno-such-engine.so"), std::string::npos);
}

TEST(SimulationRun, RunsAreReproducibleAndRepeatedOrdersDiffer) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\nabcdefghi\n");
    ASSERT_EQ(run(), RunOutcome::NormalEnd);
    const std::string first = run.dir.read("output.txt");
    ASSERT_EQ(run(), RunOutcome::NormalEnd);
    EXPECT_EQ(run.dir.read("output.txt"), first);

    const auto lineEnd = first.find("\r\n");
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_NE(first.substr(0, lineEnd), first.substr(lineEnd + 2, lineEnd));
    EXPECT_EQ(first.substr(lineEnd + 2, 9), "abcdefghi");
}

TEST(SimulationRun, ReportOptionsChooseTheLinesParts) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    run.model.report = ReportOptions{true, true, true, true};
    ASSERT_EQ(run(), RunOutcome::NormalEnd);
    const std::string all = run.dir.read("output.txt");
    EXPECT_EQ(all.rfind("abcdefghi 6.107143 0.315209 0.721429 0.614286", 0), 0u);
    EXPECT_NE(all.find(" 0.635714 0.335714 0.314286"), std::string::npos);  // runs, then shares
    EXPECT_EQ(std::count(all.begin(), all.end(), ' '), 20);

    run.model.report = ReportOptions{false, false, false, false};
    ASSERT_EQ(run(), RunOutcome::NormalEnd);
    EXPECT_EQ(run.dir.read("output.txt"), "abcdefghi\r\n");
}

// Nothing selected is no success: its own outcome and message, and the
// previous results stay, for a file without a selected line as for a pattern
// of eight characters.
TEST(SimulationRun, NoSelectedLineIsReportedAndKeepsThePreviousResults) {
    RunFixture run;
    run.files.orderFile = "order.dat";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(run.dir.path("."));
    run.dir.write("order.dat", "ABCDEFGHI\nabcdefgh\nabdcefghi\n");
    run.dir.write("output.txt", "old");
    run.chooser.answer = "output.txt";
    run.model.patterns[0] = "abcdefghi";
    EXPECT_EQ(run(), RunOutcome::NothingSelected);
    run.model.patterns[0] = "abdcefgh";
    EXPECT_EQ(run(), RunOutcome::NothingSelected);
    // A result file that did not exist is not left behind, empty.
    run.chooser.answer = "new.txt";
    EXPECT_EQ(run(), RunOutcome::NothingSelected);
    std::filesystem::current_path(previous);
    const std::string message =
        "ORDERに打線指定に合う打順がありません：order.dat\n出力は変更していません：output.txt";
    ASSERT_EQ(run.window.reports.size(), 3u);
    EXPECT_EQ(run.window.reports[0], message);
    EXPECT_EQ(run.window.reports[1], message);
    EXPECT_EQ(run.dir.read("output.txt"), "old");
    EXPECT_FALSE(std::filesystem::exists(run.dir.path("new.txt")));
}

TEST(SimulationRun, MissingEngineIsReportedAfterTheSummaryLines) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    run.files.libraryName = "no-such-engine";
    EXPECT_EQ(run(), RunOutcome::Failed);
    EXPECT_EQ(run.window.reports, (std::vector<std::string>{"REDI_DORが開けません"}));
    ASSERT_EQ(run.window.calls.size(), 4u);  // clear, the summary lines, report, show
    EXPECT_EQ(run.window.calls[1].rfind("append:# 打者A", 0), 0u);
    EXPECT_FALSE(run.chooser.lastRequest.has_value());
    EXPECT_FALSE(std::filesystem::exists(run.dir.path("output.txt")));
}

// Cancelling the result file chooser is no failure: the status says so, no
// box, no file.
TEST(SimulationRun, CancelledChooserEndsQuietly) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    run.chooser.answer.reset();
    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_TRUE(run.window.reports.empty());
    EXPECT_EQ(run.model.statusText, "シミュレートを取り消しました");
    EXPECT_EQ(run.window.calls.back(), "show");
    EXPECT_FALSE(std::filesystem::exists(run.dir.path("output.txt")));
}

// Without an order file, the user hears so before any chooser opens, with
// the folder it was looked for in; the previous results stay.
TEST(SimulationRun, AMissingOrderFileIsToldBeforeTheChooserWithItsFolder) {
    RunFixture run;
    run.dir.write("output.txt", "old results");
    run.files.orderFile = run.dir.path("order.dat").string();
    EXPECT_EQ(run(), RunOutcome::Failed);
    EXPECT_EQ(run.chooser.requestCount, 0);
    const std::string folder = run.dir.path(".").parent_path().string();
    EXPECT_EQ(
        run.window.reports,
        (std::vector<std::string>{messageWithName("ORDERが開けません：", run.files.orderFile) +
                                  "\n場所：" + folder}));
    EXPECT_EQ(run.dir.read("output.txt"), "old results");
}

TEST(SimulationRun, ASecondRunOnTheSameResultFileIsRefused) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    run.dir.write("output.txt", "held by another run");
    ResultFile other;
    ASSERT_EQ(other.open(run.dir.path("output.txt").string()), ResultFile::Opened::Ok);
    EXPECT_EQ(run(), RunOutcome::Failed);
    EXPECT_EQ(run.window.reports,
              (std::vector<std::string>{"出力は他の実行が使用中です：" + *run.chooser.answer}));
    EXPECT_TRUE(other.close());
    ASSERT_EQ(run(), RunOutcome::NormalEnd);
    EXPECT_EQ(run.dir.read("output.txt"), "abcdefghi 6.107143 0.315209\r\n");
}

TEST(SimulationRun, StopEndsTheRunBetweenOrdersKeepingTheLinesDone) {
    ScratchDir dir;
    dir.write("order.dat", "abcdefghi\nabcdefghi\nabcdefghi\n");
    std::atomic<bool> stop{false};
    // Stops once the second order is played.
    struct Stopper final : RunObserver {
        std::atomic<bool>& stop;
        std::vector<std::string> messages;
        explicit Stopper(std::atomic<bool>& flag) : stop(flag) {}
        void progress(std::uint64_t done) override {
            if (done == 2) stop = true;
        }
        void finished(RunOutcome, std::string_view message, std::string_view) override {
            messages.emplace_back(message);
        }
    } observer(stop);
    const WindowModel model = referenceModel();
    const auto evaluator = openSimulation(model.batters, model.gamesPerOrder, observer);
    ASSERT_TRUE(evaluator);
    RunPlan plan;
    plan.selection =
        OrderSelection(OrderSource::OrderFile, kDefaultPatterns, dir.path("order.dat").string());
    plan.resultName = dir.path("output.txt").string();
    plan.stop = &stop;
    EXPECT_EQ(runOrders(plan, *evaluator, observer), RunOutcome::Interrupted);
    const std::string lines = dir.read("output.txt");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
    EXPECT_EQ(lines.rfind("abcdefghi 6.107143 0.315209\r\nabcdefghi ", 0), 0u);
    EXPECT_EQ(
        observer.messages,
        (std::vector<std::string>{"中断しました。書き込んだ打順：2\n出力：" + plan.resultName}));
}

TEST(SimulationRun, OrderFileAsResultFileIsRefusedAndBothAreKept) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    // Another spelling of the same file.
    run.chooser.answer = (run.dir.path(".") / "order.dat").string();
    EXPECT_EQ(run(), RunOutcome::Failed);
    ASSERT_EQ(run.window.reports.size(), 1u);
    EXPECT_EQ(run.window.reports[0].rfind("出力とORDERが同じファイルです：", 0), 0u);
    EXPECT_EQ(run.dir.read("order.dat"), "abcdefghi\n");
}

TEST(SimulationRun, WriteErrorOnTheResultFileIsReported) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    run.chooser.answer = "/dev/full";
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(run(), RunOutcome::Failed);
    EXPECT_EQ(run.window.reports, (std::vector<std::string>{"出力に書き込めません：/dev/full"}));
}

TEST(SimulationRun, LongNamesAreCutAtAWholeCharacter) {
    RunFixture run;
    run.dir.write("order.dat", "abcdefghi\n");
    std::string name;
    for (int i = 0; i < 30; ++i) name += "打";  // 90 bytes
    run.chooser.answer = run.dir.path("missing-dir").string() + "/" + name;
    EXPECT_EQ(run(), RunOutcome::Failed);
    ASSERT_EQ(run.window.reports.size(), 1u);
    const std::string shown =
        run.window.reports[0].substr(std::string("出力が開けません：").size());
    EXPECT_LE(shown.size(), 70u);
    EXPECT_GE(shown.size(), 68u);
    EXPECT_EQ(run.chooser.answer->substr(0, shown.size()), shown);
    EXPECT_EQ((shown.size() - run.dir.path("missing-dir/").string().size()) % 3, 0u);
}

}  // namespace
}  // namespace diz
