#include "batch/batter_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "batch/window_model.h"
#include "tests/batch/test_support.h"

namespace diz {
namespace {

using test::RecordingWindow;
using test::ScratchDir;
using test::ScriptedChooser;

TEST(BatterFile, SaveThenLoadRoundTripsThroughTheChoosers) {
    ScratchDir dir;
    WindowModel model;
    model.batters[0] = BatterEntry{400, 100, 20, 2, 10, 50, 0.25, 0.5, 0.4};
    RecordingWindow window(model);
    ScriptedChooser chooser(dir.path("team.txt").string());

    saveBatterFile(model, window, chooser);
    EXPECT_EQ(model.statusText, "打者データを保存しました...");
    EXPECT_EQ(chooser.lastRequest->kind, ChooserRequest::Kind::Save);
    EXPECT_EQ(chooser.lastRequest->initialName, "*.txt");
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(dir.read("team.txt").substr(0, 47),
              "400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n");

    WindowModel loaded;
    RecordingWindow loadWindow(loaded);
    loadBatterFile(loaded, loadWindow, chooser);
    EXPECT_EQ(chooser.lastRequest->kind, ChooserRequest::Kind::Open);
    EXPECT_TRUE(chooser.lastRequest->fileMustExist);
    EXPECT_EQ(loaded.statusText, "打者データを読み込みました...");
    EXPECT_EQ(loaded.batters[0].homeRuns, 10);
    EXPECT_EQ(loaded.batters[0].rate2B1to4, 0.4);
    EXPECT_EQ(loadWindow.log.rfind("# 打者A\tAVE: 0.330", 0), 0u);
    EXPECT_EQ(std::count(loadWindow.log.begin(), loadWindow.log.end(), '\n'), 9);
}

TEST(BatterFile, CancelledChoosersChangeNothing) {
    WindowModel model;
    model.statusText = "before";
    RecordingWindow window(model);
    ScriptedChooser chooser(std::nullopt);
    loadBatterFile(model, window, chooser);
    saveBatterFile(model, window, chooser);
    EXPECT_EQ(model.statusText, "before");
    EXPECT_TRUE(window.calls.empty());
}

TEST(BatterFile, LoadThatCannotOpenReportsAndKeepsTheTable) {
    ScratchDir dir;
    WindowModel model;
    model.batters[0].atBats = 77;
    RecordingWindow window(model);
    ScriptedChooser chooser(dir.path("gone.txt").string());
    loadBatterFile(model, window, chooser);
    ASSERT_EQ(window.reports.size(), 1u);
    EXPECT_EQ(window.reports[0], "打者データを読み込めません：" + chooser.answer.value());
    EXPECT_EQ(model.statusText, window.reports[0]);
    EXPECT_EQ(model.batters[0].atBats, 77);
    EXPECT_TRUE(window.log.empty());
}

TEST(BatterFile, SaveThatCannotOpenReportsAndWritesNothing) {
    ScratchDir dir;
    WindowModel model;
    RecordingWindow window(model);
    ScriptedChooser chooser(dir.path("no-such-dir/team.txt").string());
    saveBatterFile(model, window, chooser);
    EXPECT_EQ(window.reports,
              (std::vector<std::string>{"打者データを保存できません：" + chooser.answer.value()}));
    EXPECT_FALSE(std::filesystem::exists(dir.path("no-such-dir")));

    chooser.answer = "/dev/full";  // opens, but every write fails
    saveBatterFile(model, window, chooser);
    EXPECT_EQ(window.reports.back(), "打者データを保存できません：/dev/full");
}

}  // namespace
}  // namespace diz
