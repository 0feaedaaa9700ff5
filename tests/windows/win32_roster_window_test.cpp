// The Win32 roster window: a roster read, edited in its cells and sorted;
// marks that no lineup can meet; the search's lineups against diz-cli
// lineup's for the same players named; a lineup put into the main window's nine
// rows; the search stopped by closing the window.

// The SDK's headers need <windows.h> before them.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <memory>

#include "batch/dialogs.h"
#include "batch/lineup_search.h"
#include "batch/messages.h"
#include "batch/ranking_inputs.h"
#include "batch/roster.h"
#include "batch/text_io.h"
#include "support/recording_win32_boxes.h"
#include "support/scripted_chooser.h"
#include "tests/windows/win32_test_support.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/ranking_window.h"
#include "ui/win32/roster_window.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

using support::RecordingWin32Boxes;
using support::ScriptedChooser;

constexpr int kAtBats = 1;
constexpr int kHomeRuns = 5;

class RosterWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = std::make_unique<MainDialog>(GetModuleHandleW(nullptr));
        dialog->setMessageBoxes(&boxes);
        dialog->setFileChooser(&chooser);
        dialog->show();
        // The way in is the system menu's entry.
        SendMessageW(dialog->window(), WM_SYSCOMMAND, kRosterCommand, 0);
        ASSERT_NE(dialog->rosterWindow(), nullptr);
        window = dialog->rosterWindow();
    }

    void import() {
        chooser.answer = test::exampleFile("roster.csv");
        ASSERT_TRUE(window->importRoster());
        ASSERT_EQ(window->roster().size(), 13u);
    }

    // The text the list shows in a cell.
    std::string cell(int row, int column) const {
        wchar_t text[128] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(window->control(RosterWindow::kTable), LVM_GETITEMTEXTW,
                     static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return toUtf8(text);
    }

    int rowOf(std::string_view name) const {
        for (std::size_t row = 0; row < window->roster().size(); ++row) {
            if (cell(static_cast<int>(row), 0) == name) return static_cast<int>(row);
        }
        return -1;
    }

    // Types `text` into a player's cell and puts it in with Enter.
    void typeCell(std::string_view name, int column, std::string_view text) {
        window->editCell(rowOf(name), column);
        const HWND editor = window->control(RosterWindow::kCellEdit);
        ASSERT_TRUE(IsWindowVisible(editor));
        ASSERT_EQ(GetFocus(), editor);
        setWindowText(editor, text);
        test::pressKey(*dialog, editor, VK_RETURN);
        EXPECT_FALSE(window->isEditing());
    }

    // Picks choice `index` of a mark column's drop-down list.
    void chooseMark(std::string_view name, int column, int index) {
        const int row = rowOf(name);
        ASSERT_GE(row, 0) << name;
        window->editCell(row, column);
        const HWND choice = window->control(RosterWindow::kCellChoice);
        ASSERT_TRUE(IsWindowVisible(choice));
        SendMessageW(choice, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        window->commitEdit();
        EXPECT_FALSE(IsWindowVisible(choice));
    }

    std::vector<std::string> lineupRows() const {
        std::vector<std::string> rows;
        const HWND list = window->control(RosterWindow::kLineups);
        const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)),
                              L'\0');
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            rows.push_back(toUtf8(text));
        }
        return rows;
    }

    RecordingWin32Boxes boxes;
    ScriptedChooser chooser;
    std::unique_ptr<MainDialog> dialog;
    RosterWindow* window = nullptr;
};

TEST_F(RosterWindowTest, ReadsEditsAndSortsTheRosterAndRevertsARefusedCell) {
    EXPECT_EQ(test::textOf(window->window()), L"選手名簿");
    EXPECT_TRUE(IsWindowVisible(window->window()));
    // A default rate out of range is refused before any file is asked for.
    setWindowText(window->control(RosterWindow::kFirstRate + 1), "2");
    EXPECT_FALSE(window->importRoster());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string(msg::kRosterBadRate) + "2");
    EXPECT_EQ(chooser.requestCount, 0);
    setWindowText(window->control(RosterWindow::kFirstRate + 1), "0.6");
    boxes.shown.clear();

    const auto height = [&](int id) {
        RECT box{};
        GetWindowRect(window->control(id), &box);
        return box.bottom - box.top;
    };
    const LONG oneLine = height(RosterWindow::kStatus);
    const LONG tableHeight = height(RosterWindow::kTable);
    import();
    ASSERT_TRUE(chooser.lastRequest);
    EXPECT_EQ(chooser.lastRequest->initialName, "*.csv");
    // The status grows to its two lines, the list gives up the room.
    EXPECT_GT(height(RosterWindow::kStatus), oneLine);
    EXPECT_LT(height(RosterWindow::kTable), tableHeight);
    EXPECT_TRUE(boxes.shown.empty());
    // The column the game has no use for is named.
    EXPECT_NE(
        test::textOf(window->control(RosterWindow::kStatus)).find(L"使わなかった列：position"),
        std::wstring::npos);
    const HWND table = window->control(RosterWindow::kTable);
    EXPECT_EQ(ListView_GetItemCount(table), 13);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(table)), rosterTable::kColumnCount);

    // Refused text is reported and the cell shows what it held.
    typeCell("Ben Kuroda", kAtBats, "abc");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("打数「abc」は整数ではありません"), std::string::npos)
        << boxes.shown[0].text;
    EXPECT_EQ(cell(rowOf("Ben Kuroda"), kAtBats), "505");
    typeCell("Ben Kuroda", kAtBats, "６００");
    EXPECT_EQ(cell(rowOf("Ben Kuroda"), kAtBats), "600");
    EXPECT_EQ(boxes.shown.size(), 1u);
    // Escape drops the text; F2 opens the editor on the current cell.
    const HWND editor = window->control(RosterWindow::kCellEdit);
    window->editCell(rowOf("Ben Kuroda"), kAtBats);
    setWindowText(editor, "599");
    test::pressKey(*dialog, editor, VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_EQ(cell(rowOf("Ben Kuroda"), kAtBats), "600");
    SetFocus(table);
    test::pressKey(*dialog, table, VK_F2);
    ASSERT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(windowText(editor), "600");
    window->cancelEdit();
    // A double click opens the editor over the cell clicked.
    RECT box{};
    ListView_GetSubItemRect(table, rowOf("Carl Miyake"), kHomeRuns, LVIR_LABEL, &box);
    const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    SendMessageW(table, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(table, WM_LBUTTONUP, 0, at);
    SendMessageW(table, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(table, WM_LBUTTONUP, 0, at);
    test::pump(*dialog);
    ASSERT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(GetFocus(), editor);
    EXPECT_EQ(windowText(editor), "31");
    window->cancelEdit();
    // A character typed on a cell starts its edit with that character.
    window->editCell(rowOf("Ben Kuroda"), kHomeRuns);
    window->cancelEdit();
    test::pressKey(*dialog, table, '9');
    ASSERT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(windowText(editor), "9");
    test::pressKey(*dialog, editor, VK_RETURN);
    EXPECT_EQ(cell(rowOf("Ben Kuroda"), kHomeRuns), "9");

    // A heading sorts by its column, a second time the other way, with the
    // sort mark on that heading.
    window->sortByHeading(kHomeRuns);
    EXPECT_EQ(cell(0, 0), "Max Inagaki");
    window->sortByHeading(kHomeRuns);
    EXPECT_EQ(cell(0, 0), "Dai Oshiro");
    HDITEMW mark{};
    mark.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(table), kHomeRuns, &mark);
    EXPECT_EQ(mark.fmt & (HDF_SORTUP | HDF_SORTDOWN), HDF_SORTDOWN);

    // What is saved reads back as the edited roster.
    test::ScratchDir dir;
    chooser.answer = toUtf8(dir.path("saved.csv").wstring());
    EXPECT_TRUE(window->saveRoster());
    RosterProblem problem;
    const auto saved = readRosterFile(utf8Path(*chooser.answer), kDefaultRunningRates, problem);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->players[1].batter.atBats, 600);
}

TEST_F(RosterWindowTest, TwoPlayersLockedInOneSlotAreRefused) {
    import();
    chooseMark("Gus Amano", rosterTable::kSlot, 9);
    chooseMark("Hal Ezaki", rosterTable::kSlot, 9);
    EXPECT_EQ(cell(rowOf("Hal Ezaki"), rosterTable::kSlot), "9");
    EXPECT_FALSE(window->search());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, msg::markSlotTwice(9, "Gus Amano", "Hal Ezaki"));
    EXPECT_FALSE(window->isSearching());
    EXPECT_TRUE(IsWindowEnabled(window->control(RosterWindow::kSearch)));
}

TEST_F(RosterWindowTest, FindsTheCoresLineupsAndPutsTheSecondIntoTheRows) {
    import();
    chooseMark("Gus Amano", rosterTable::kSlot, 9);
    chooseMark("Dai Oshiro", rosterTable::kRole, 2);
    chooseMark("Hal Ezaki", rosterTable::kRole, 1);
    EXPECT_EQ(cell(rowOf("Dai Oshiro"), rosterTable::kRole), "出場しない");
    bool finished = false;
    window->setSearchFinished([&] { finished = true; });
    SendMessageW(window->control(RosterWindow::kSearch), BM_CLICK, 0, 0);
    ASSERT_TRUE(window->isSearching());
    EXPECT_FALSE(IsWindowEnabled(window->control(RosterWindow::kSearch)));
    EXPECT_TRUE(IsWindowEnabled(window->control(RosterWindow::kCancel)));
    EXPECT_FALSE(IsWindowEnabled(window->control(RosterWindow::kPut)));
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return finished; }));
    EXPECT_FALSE(window->isSearching());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(test::textOf(window->control(RosterWindow::kStatus)).starts_with(L"9 人の選び方 "));
    EXPECT_TRUE(IsWindowEnabled(window->control(RosterWindow::kPut)));
    EXPECT_EQ(lineupRows(), window->roster().foundRows());
    ASSERT_EQ(lineupRows().size(), 10u);

    // The same lineups, byte for byte, as diz-cli lineup lists for the same
    // marks given by name.
    test::ScratchDir dir;
    const std::wstring output = dir.path("lineups.csv").wstring();
    ASSERT_EQ(
        test::runProgram(DIZ_CLI, L"lineup --roster \"" + toWide(test::exampleFile("roster.csv")) +
                                      L"\" --slot \"9=Gus Amano\" --bench \"Dai Oshiro\" "
                                      L"--play \"Hal Ezaki\" --top 10 --output \"" +
                                      output + L"\""),
        0);
    const RosterTable& found = window->roster();
    const std::string cli = test::readFile(output);
    ASSERT_FALSE(cli.empty());
    EXPECT_EQ(lineupCsv(found.players(), found.found().search.best), cli);

    // The second lineup goes into the nine rows, named, with pattern 1
    // selecting it; the other controls keep what they held.
    setWindowText(dialog->control(ids::kGamesPerOrder), "300");
    // Enter on a lineup puts it, as 打線に入れる does.
    const HWND lineups = window->control(RosterWindow::kLineups);
    SendMessageW(lineups, LB_SETCURSEL, 1, 0);
    SetFocus(lineups);
    test::pressKey(*dialog, lineups, VK_RETURN);
    const Lineup& second = found.found().search.best[1];
    const RosterPlayer& leadoff = found.players()[static_cast<std::size_t>(second.players[0])];
    EXPECT_EQ(windowText(dialog->control(ids::kPatterns[0])), "abcdefghi");
    EXPECT_EQ(windowText(dialog->control(ids::kGrid[0][0])), std::to_string(leadoff.batter.atBats));
    EXPECT_EQ(windowText(dialog->control(ids::kStatus)), msg::kRosterPutDone);
    EXPECT_EQ(dialog->model().gamesPerOrder, 300);
    EXPECT_EQ(dialog->model().batterNames[8], "Gus Amano");
    EXPECT_EQ(orderNames("abcdefghi", rankingInputs(dialog->model(), SimulationFiles{})),
              lineupNames(found.players(), second));

    // The ranking of that order names its players.
    dialog->showRanking();
    RankingWindow& ranking = *dialog->rankingWindow();
    ranking.setReplicates(0);
    ranking.setSelection(OrderSource::AcceptedOrderings);
    ASSERT_TRUE(test::pumpUntil(
        *dialog, [&] { return !ranking.isEvaluating() && ranking.table().size() == 1; }));
    EXPECT_EQ(test::textOf(ranking.control(RankingWindow::kOrderNames)),
              toWide(std::string(msg::kRankingOrderNames) + lineupNames(found.players(), second)));

    // 9 人の打者から作る makes the roster of those nine, with their names.
    SendMessageW(window->control(RosterWindow::kFromRows), BM_CLICK, 0, 0);
    ASSERT_EQ(window->roster().size(), 9u);
    EXPECT_EQ(cell(8, 0), "Gus Amano");
    EXPECT_TRUE(lineupRows().empty());
}

TEST_F(RosterWindowTest, ClosingTheWindowStopsTheSearch) {
    import();
    // Every choice of nine of the thirteen: far more than ends in a moment.
    ASSERT_TRUE(window->search());
    SendMessageW(window->window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window->window()));
    ASSERT_TRUE(test::pumpUntil(*dialog, [&] { return !window->isSearching(); }));
    EXPECT_TRUE(window->roster().found().search.interrupted);
    EXPECT_EQ(test::textOf(window->control(RosterWindow::kStatus)), toWide(msg::kLineupStopped));
    EXPECT_TRUE(IsWindowEnabled(window->control(RosterWindow::kSearch)));

    // Opened again, it shows the roster it held.
    dialog->showRoster();
    EXPECT_EQ(dialog->rosterWindow(), window);
    EXPECT_TRUE(IsWindowVisible(window->window()));
    EXPECT_EQ(window->roster().size(), 13u);
}

}  // namespace
}  // namespace diz::win32
