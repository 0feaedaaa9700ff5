// The Win32 ranking window: the list of a selection in the core's sorts, the
// focused order through a sort, the inning columns, the CSV, sending an order
// to the first pattern, cancelling and closing, and the ways in from the main
// window.

// The SDK's headers need <windows.h> before them.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <memory>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "cli/exact_command.h"
#include "support/recording_win32_boxes.h"
#include "support/scripted_chooser.h"
#include "tests/windows/win32_test_support.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/ranking_charts.h"
#include "ui/win32/ranking_window.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

using support::RecordingWin32Boxes;
using support::ScriptedChooser;

class RankingWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = std::make_unique<MainDialog>(GetModuleHandleW(nullptr));
        dialog->setMessageBoxes(&boxes);
        dialog->setFileChooser(&chooser);
        dialog->show();
        chooser.answer = test::exampleFile("batters.txt");
        dialog->load();
        chooser.answer.reset();
        chooser.requestCount = 0;
        boxes.shown.clear();
    }

    // Sets the patterns, opens the ranking window from the main window (or
    // evaluates it again) and evaluates `selection` to the end, resampled
    // over `replicates` seasons (none unless asked).
    RankingWindow& openRanking(const std::vector<std::string>& patterns,
                               OrderSource selection = OrderSource::AcceptedOrderings,
                               std::uint32_t replicates = 0) {
        for (int i = 0; i < kPatternCount; ++i) {
            setWindowText(dialog->control(ids::kPatterns[i]),
                          i < static_cast<int>(patterns.size()) ? patterns[i] : "");
        }
        dialog->showRanking();
        RankingWindow& window = *dialog->rankingWindow();
        window.setReplicates(replicates);
        // A fresh window would start on every ordering; choosing the selection
        // before the message loop runs starts only this one.
        window.setSelection(selection);
        EXPECT_TRUE(test::pumpUntil(*dialog, [&] { return !window.isEvaluating(); }));
        return window;
    }

    static std::string cell(const RankingWindow& window, int row, int column) {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(window.control(RankingWindow::kList), LVM_GETITEMTEXTW,
                     static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return toUtf8(text);
    }
    static std::vector<std::string> listOrders(const RankingWindow& window) {
        std::vector<std::string> orders;
        const HWND list = window.control(RankingWindow::kList);
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) orders.push_back(cell(window, row, ranking::kOrder));
        return orders;
    }
    static std::string focusedOrder(const RankingWindow& window) {
        return cell(window, window.focusedRow(), ranking::kOrder);
    }

    RecordingWin32Boxes boxes;
    ScriptedChooser chooser;
    std::unique_ptr<MainDialog> dialog;
};

TEST_F(RankingWindowTest, ListsTheRowsBestFirstAndKeepsTheFocusedOrderThroughASort) {
    RankingWindow& window = openRanking({"abcdefg**", "bacdefg**"});
    EXPECT_EQ(test::textOf(window.window()), L"打順ランキング");
    EXPECT_EQ(window.table().size(), 4u);
    const std::vector<std::string> bestFirst = listOrders(window);
    ASSERT_EQ(bestFirst.size(), 4u);
    EXPECT_EQ(cell(window, 0, ranking::kRank), "1");
    EXPECT_EQ(bestFirst[0], window.table().rows().order(window.table().bestRow()));
    EXPECT_EQ(window.focusedRow(), 0);
    EXPECT_EQ(window.charts().spread().bestLabel, "最良 " + bestFirst[0]);
    EXPECT_EQ(test::textOf(window.control(RankingWindow::kSummary)),
              withCrLf(toWide(window.table().summary())));
    EXPECT_EQ(test::textOf(window.control(RankingWindow::kStatus)),
              toWide(msg::rankingEvaluated(4)));

    window.focusRow(2);
    const std::string order = focusedOrder(window);
    EXPECT_EQ(window.charts().spread().selectedLabel, "選択 " + order);
    // A new column sorts ascending, the same column again descending.
    window.sortByHeading(ranking::kOrder);
    EXPECT_EQ(listOrders(window),
              (std::vector<std::string>{"abcdefghi", "abcdefgih", "bacdefghi", "bacdefgih"}));
    EXPECT_EQ(focusedOrder(window), order);
    window.sortByHeading(ranking::kOrder);
    EXPECT_EQ(listOrders(window),
              (std::vector<std::string>{"bacdefgih", "bacdefghi", "abcdefgih", "abcdefghi"}));
    EXPECT_EQ(focusedOrder(window), order);
    window.sortByHeading(ranking::kRank);
    EXPECT_EQ(listOrders(window), bestFirst);
    // A new evaluation keeps the sort.
    window.sortByHeading(ranking::kOrder);
    window.evaluate();
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return !window.isEvaluating(); }));
    EXPECT_EQ(listOrders(window).front(), "abcdefghi");
}

TEST_F(RankingWindowTest, ShowsTheInningColumnsOnRequest) {
    RankingWindow& window = openRanking({"abcde****"});
    const HWND header = ListView_GetHeader(window.control(RankingWindow::kList));
    EXPECT_EQ(Header_GetItemCount(header), ranking::kFirstInningRuns);
    // A width the user gave a column and the focused order stay through the
    // change.
    const HWND list = window.control(RankingWindow::kList);
    ListView_SetColumnWidth(list, ranking::kOrder, 123);
    ListView_SetItemState(list, 5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(window.control(RankingWindow::kInningColumns), BM_CLICK, 0, 0);
    ASSERT_EQ(Header_GetItemCount(header), ranking::kColumnCount);
    EXPECT_EQ(ListView_GetColumnWidth(list, ranking::kOrder), 123);
    EXPECT_EQ(ListView_GetItemCount(list), 24);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 5);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 5);
    for (int column = 0; column < ranking::kColumnCount; ++column) {
        wchar_t title[64] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = 64;
        Header_GetItem(header, column, &item);
        EXPECT_EQ(toUtf8(title), rankingColumnTitle(column));
        std::string expected;
        window.table().appendCell(expected, window.table().rowAt(0), column);
        EXPECT_EQ(cell(window, 0, column), expected);
        // Figures and ranks stand right-aligned, the order's letters left.
        LVCOLUMNW format{};
        format.mask = LVCF_FMT;
        ListView_GetColumn(window.control(RankingWindow::kList), column, &format);
        EXPECT_EQ(format.fmt & LVCFMT_JUSTIFYMASK,
                  column == ranking::kOrder ? LVCFMT_LEFT : LVCFMT_RIGHT);
    }
    SendMessageW(window.control(RankingWindow::kInningColumns), BM_CLICK, 0, 0);
    EXPECT_EQ(Header_GetItemCount(header), ranking::kFirstInningRuns);
}

TEST_F(RankingWindowTest, SavesTheCsvWhereverTheChooserSays) {
    RankingWindow& window = openRanking({"abcdefg**"});
    test::ScratchDir dir;
    std::filesystem::create_directories(dir.path("順位"));
    const std::string name = toUtf8(dir.path("順位/ranking.csv").wstring());
    chooser.answer = name;
    EXPECT_TRUE(window.saveCsv());
    ASSERT_TRUE(chooser.lastRequest);
    EXPECT_EQ(chooser.lastRequest->initialName, "ranking.csv");
    EXPECT_TRUE(chooser.lastRequest->overwritePrompt && chooser.lastRequest->createPrompt);
    const std::string csv = dir.read("順位/ranking.csv");
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF順位,打順,得点期待値,")) << csv.substr(0, 40);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
    EXPECT_EQ(test::textOf(window.control(RankingWindow::kStatus)),
              toWide(std::string(msg::kRankingCsvSaved) + name));
    EXPECT_TRUE(boxes.shown.empty());

    // A folder that does not exist: reported, and the status says so.
    chooser.answer = toUtf8(dir.path("none/ranking.csv").wstring());
    EXPECT_FALSE(window.saveCsv());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(toWide(boxes.shown[0].text), test::textOf(window.control(RankingWindow::kStatus)));
}

TEST_F(RankingWindowTest, CtrlSSavesAndTabLeavesTheList) {
    RankingWindow& window = openRanking({"abcdefg**"});
    test::ScratchDir dir;
    chooser.answer = toUtf8(dir.path("keys.csv").wstring());
    const HWND list = window.control(RankingWindow::kList);
    SetFocus(list);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    test::pressKey(*dialog, list, 'S');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(chooser.requestCount, 1);
    EXPECT_FALSE(dir.read("keys.csv").empty());

    SetFocus(list);
    test::pressKey(*dialog, list, VK_TAB);
    EXPECT_EQ(GetFocus(), window.control(RankingWindow::kSaveCsv));
}

TEST_F(RankingWindowTest, TheFocusedOrderGoesIntoTheFirstPatternByButtonOrDoubleClick) {
    RankingWindow& window = openRanking({"abcdefg**", "b*a******"});
    window.focusRow(3);
    const std::string third = focusedOrder(window);
    SendMessageW(window.control(RankingWindow::kToPattern), BM_CLICK, 0, 0);
    EXPECT_EQ(windowText(dialog->control(ids::kPatterns[0])), third);

    const HWND list = window.control(RankingWindow::kList);
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    test::pump(*dialog);
    EXPECT_EQ(window.focusedRow(), 1);
    EXPECT_EQ(windowText(dialog->control(ids::kPatterns[0])), focusedOrder(window));
}

TEST_F(RankingWindowTest, CancellingOrClosingStopsTheRunAndLeavesBothWindowsUsable) {
    dialog->showRanking();  // every ordering
    RankingWindow& window = *dialog->rankingWindow();
    std::vector<bool> ends;
    window.setEvaluationFinished([&](bool completed) { ends.push_back(completed); });
    test::pump(*dialog);
    ASSERT_TRUE(window.isEvaluating());
    EXPECT_TRUE(IsWindowEnabled(window.control(RankingWindow::kCancel)));
    SendMessageW(window.control(RankingWindow::kCancel), BM_CLICK, 0, 0);
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return !window.isEvaluating(); }));
    EXPECT_EQ(ends, std::vector<bool>{false});
    EXPECT_EQ(test::textOf(window.control(RankingWindow::kStatus)), toWide(msg::kRankingCancelled));
    EXPECT_TRUE(window.table().empty());

    window.evaluate();
    test::pump(*dialog);
    SendMessageW(window.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.isEvaluating());
    EXPECT_FALSE(IsWindowVisible(window.window()));
    EXPECT_TRUE(IsWindowEnabled(dialog->window()));

    window.setEvaluationFinished({});
    RankingWindow& again = openRanking({"abcdefghi"});
    EXPECT_TRUE(IsWindowVisible(again.window()));
    EXPECT_EQ(again.table().size(), 1u);
}

// 確からしさ entered in its field evaluates again; the list then shows the
// two resampled columns after the first five, sorts by them, and the CSV is
// byte for byte the one diz-cli exact --resample writes for the same batters
// and orders. Without it, neither column shows.
TEST_F(RankingWindowTest, TheResampledCsvIsThatOfDizCliExactResample) {
    RankingWindow& window = openRanking({"abcde****"});
    const HWND list = window.control(RankingWindow::kList);
    const HWND header = ListView_GetHeader(list);
    EXPECT_EQ(Header_GetItemCount(header), ranking::kFirstInningRuns);
    EXPECT_FALSE(window.charts().spread().bestRange);

    const HWND field = window.control(RankingWindow::kReplicates);
    SetFocus(field);
    setWindowText(field, "20");
    SetFocus(list);  // leaving the field enters the number
    EXPECT_TRUE(window.isEvaluating());
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return !window.isEvaluating(); }));
    ASSERT_EQ(window.table().size(), 24u);
    ASSERT_EQ(Header_GetItemCount(header), ranking::kFirstInningRuns + 2);
    ASSERT_EQ(window.listColumns().size(), std::size_t{ranking::kFirstInningRuns + 2});
    EXPECT_EQ(window.listColumns()[ranking::kFirstInningRuns], ranking::kBestShare);
    EXPECT_EQ(window.listColumns()[ranking::kFirstInningRuns + 1], ranking::kGapRange);
    std::string share;
    window.table().appendCell(share, window.table().rowAt(0), ranking::kBestShare);
    EXPECT_TRUE(share.ends_with('%')) << share;
    EXPECT_EQ(cell(window, 0, ranking::kFirstInningRuns), share);
    const std::wstring summary = test::textOf(window.control(RankingWindow::kSummary));
    EXPECT_NE(summary.find(L"\r\n確からしさ：リサンプリング 20 回で最良 " +
                           toWide(window.table().rows().order(window.table().bestRow()))),
              std::wstring::npos);
    EXPECT_TRUE(window.charts().spread().bestRange);

    // A click on the share's heading sorts by it.
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = RankingWindow::kList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = ranking::kFirstInningRuns;
    SendMessageW(window.window(), WM_NOTIFY, RankingWindow::kList,
                 reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(window.table().sortColumn(), ranking::kBestShare);

    // diz-cli exact's CSV is best first.
    window.sortByHeading(ranking::kRank);
    test::ScratchDir dir;
    chooser.answer = toUtf8(dir.path("window.csv").wstring());
    ASSERT_TRUE(window.saveCsv());
    cli::ExactOptions options;
    options.batters = test::exampleFile("batters.txt");
    options.all = true;
    options.patterns = {"abcde****"};
    options.resample = 20;
    options.quiet = true;
    options.output = toUtf8(dir.path("exact.txt").wstring());
    options.csv = toUtf8(dir.path("cli.csv").wstring());
    ASSERT_EQ(cli::exactCommand(options), cli::kSuccess);
    const std::string saved = dir.read("window.csv");
    EXPECT_NE(saved.find(",最善の割合,順位中央値,差の5%点,差の95%点\r\n"), std::string::npos);
    EXPECT_EQ(saved, dir.read("cli.csv"));

    // Sorted by the share, then ranked without resampling: the columns go and
    // so does their sort.
    window.sortByHeading(ranking::kBestShare);
    SetFocus(field);
    setWindowText(field, "0");
    SetFocus(list);
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return !window.isEvaluating(); }));
    EXPECT_EQ(window.table().sortColumn(), ranking::kMeanRuns);
    EXPECT_EQ(Header_GetItemCount(header), ranking::kFirstInningRuns);
    EXPECT_FALSE(window.table().resampled());
}

// The ranking shows while its seasons are resampled; 中止 then keeps the
// ranking and the seasons done, and says so.
TEST_F(RankingWindowTest, CancellingWhileResamplingKeepsTheRankingAndTheSeasonsDone) {
    setWindowText(dialog->control(ids::kPatterns[0]), "abcd*****");
    dialog->showRanking();
    RankingWindow& window = *dialog->rankingWindow();
    window.setReplicates(resampling::kReplicatesMax);
    window.setSelection(OrderSource::AcceptedOrderings);
    const HWND progress = window.control(RankingWindow::kProgress);
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] {
        return test::textOf(window.control(RankingWindow::kStatus)) ==
                   toWide(msg::kRankingResampling) &&
               SendMessageW(progress, PBM_GETPOS, 0, 0) >= 1;
    }));
    EXPECT_EQ(SendMessageW(progress, PBM_GETRANGE, FALSE, 0),
              static_cast<LRESULT>(resampling::kReplicatesMax));
    // The ranking shows while the seasons are drawn, their columns not yet.
    EXPECT_EQ(ListView_GetItemCount(window.control(RankingWindow::kList)), 120);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(window.control(RankingWindow::kList))),
              ranking::kFirstInningRuns);
    SendMessageW(window.control(RankingWindow::kCancel), BM_CLICK, 0, 0);
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return !window.isEvaluating(); }));
    EXPECT_EQ(window.table().size(), 120u);
    const std::uint32_t done = window.table().resampling().replicates;
    EXPECT_GE(done, 1u);
    EXPECT_LT(done, resampling::kReplicatesMax);
    EXPECT_EQ(test::textOf(window.control(RankingWindow::kStatus)),
              toWide(msg::rankingResampleStopped(120, done, resampling::kReplicatesMax)));
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(window.control(RankingWindow::kList))),
              ranking::kFirstInningRuns + 2);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RankingWindowTest, AnInvalidFieldOrAMissingOrderFileOpensNothing) {
    setWindowText(dialog->control(ids::kGrid[0][0]), "0");
    dialog->showRanking();
    EXPECT_EQ(dialog->rankingWindow(), nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, MessageBoxes::Kind::Validation);

    boxes.shown.clear();
    setWindowText(dialog->control(ids::kGrid[0][0]), "520");
    SimulationFiles files;
    files.orderFile = "no-such-order.dat";
    dialog->setSimulationFiles(files);
    RankingWindow& window = openRanking({"*********"}, OrderSource::OrderFile);
    ASSERT_EQ(boxes.shown.size(), 1u);
    // The message names the folder DIZ looked in.
    EXPECT_TRUE(boxes.shown[0].text.starts_with("ORDERが開けません：no-such-order.dat\n場所："))
        << boxes.shown[0].text;
    EXPECT_TRUE(window.table().empty());
    EXPECT_FALSE(IsWindowEnabled(window.control(RankingWindow::kSaveCsv)));
}

}  // namespace
}  // namespace diz::win32
