// The Win32 main window, dialog 102 of the core's tables: built from the
// table, read and shown through the core, its keys, log pane, system menu,
// About box and message boxes, and Simulate end to end. The windows are made
// in memory on wine's null display driver and driven through their message
// loop as a user's keys would.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "batch/dialogs.h"
#include "batch/log_retention.h"
#include "batch/messages.h"
#include "support/recording_win32_boxes.h"
#include "support/scripted_chooser.h"
#include "tests/windows/win32_test_support.h"
#include "ui/win32/log_pane.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

using support::RecordingWin32Boxes;
using support::ScriptedChooser;

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = std::make_unique<MainDialog>(GetModuleHandleW(nullptr));
        ASSERT_TRUE(dialog->isOpen());
        dialog->setMessageBoxes(&boxes);
        dialog->setFileChooser(&chooser);
        dialog->show();
        test::pump(*dialog);
    }

    HWND control(int id) const { return dialog->control(id); }
    std::string text(int id) const { return windowText(control(id)); }
    void type(int id, std::string_view value) { setWindowText(control(id), value); }
    std::wstring className(int id) const {
        wchar_t name[32] = {};
        GetClassNameW(control(id), name, 32);
        return name;
    }
    // One validation box naming `field` above `message`, then the focus on
    // `id` with its whole text selected.
    void expectOneFailure(int id, std::string_view field, std::string_view message) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, std::string(field) + "\n" + std::string(message));
        EXPECT_EQ(boxes.shown[0].kind, MessageBoxes::Kind::Validation);
        EXPECT_EQ(GetFocus(), control(id));
        DWORD start = 1;
        DWORD end = 0;
        SendMessageW(control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(control(id))));
    }

    RecordingWin32Boxes boxes;
    ScriptedChooser chooser;
    std::unique_ptr<MainDialog> dialog;
};

TEST_F(MainWindow, IsAFixedDialogCaptionedBallWithItsOwnTaskBarButton) {
    const HWND window = dialog->window();
    EXPECT_EQ(test::textOf(window), L"ball");
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    // The client area is 319 x 355 dialog units of the dialog's font.
    RECT size{0, 0, kMainDialogTemplate.width, kMainDialogTemplate.height};
    MapDialogRect(window, &size);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    // The program icon, large and small.
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindow, EveryControlOfTheTableStandsAtItsPlaceWithItsKind) {
    const HWND window = dialog->window();
    for (const ControlItem& item : kMainDialogTemplate.controls) {
        if (item.id == kNoId) continue;
        SCOPED_TRACE(item.id);
        const HWND child = control(item.id);
        ASSERT_NE(child, nullptr);
        // The dialog manager converts the position and the size, each on its own.
        RECT expected{item.x, item.y, item.width, item.height};
        MapDialogRect(window, &expected);
        RECT actual{};
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.right);
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        EXPECT_TRUE(style & WS_TABSTOP);
        switch (item.kind) {
            case ControlKind::Edit:
                EXPECT_EQ(className(item.id), L"Edit");
                EXPECT_FALSE(style & (ES_READONLY | ES_MULTILINE));
                break;
            case ControlKind::ReadOnlyEdit:
                EXPECT_EQ(className(item.id), L"Edit");
                EXPECT_TRUE(style & ES_READONLY);
                break;
            case ControlKind::LogPane:
                // Lines wrap (no ES_AUTOHSCROLL); Enter stays in the pane.
                EXPECT_EQ(className(item.id), L"Edit");
                EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOHSCROLL |
                                   ES_WANTRETURN),
                          ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_WANTRETURN);
                break;
            case ControlKind::CheckBox:
                EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
                EXPECT_EQ(toUtf8(test::textOf(child)), item.caption);
                break;
            case ControlKind::PushButton:
                // None of the window's buttons is its default button.
                EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
                EXPECT_EQ(toUtf8(test::textOf(child)), item.caption);
                break;
            default:
                ADD_FAILURE() << "unexpected kind";
        }
    }
    // The labels and the frame: every caption of the table is shown.
    const std::vector<std::wstring> texts = test::childTexts(window);
    for (const ControlItem& item : kMainDialogTemplate.controls) {
        if (item.id != kNoId) continue;
        EXPECT_NE(std::find(texts.begin(), texts.end(), toWide(item.caption)), texts.end())
            << item.caption;
    }
}

TEST_F(MainWindow, StartsWithTheDefaultsTheLimitsAndTheFocusInBatterAAtBats) {
    EXPECT_EQ(GetFocus(), control(ids::kGrid[0][0]));
    EXPECT_EQ(SendMessageW(control(ids::kGrid[0][0]), EM_GETSEL, 0, 0), MAKELONG(0, 1));
    for (int row = 0; row < kLineupSize; ++row) {
        EXPECT_EQ(text(ids::kGrid[row][0]), "1");
        EXPECT_EQ(text(ids::kGrid[row][5]), "0");
        EXPECT_EQ(text(ids::kGrid[row][8]), "0");
    }
    EXPECT_EQ(text(ids::kGamesPerOrder), "140");
    EXPECT_EQ(text(ids::kPatterns[0]), "abcdefghi");
    EXPECT_EQ(text(ids::kPatterns[5]), "");
    EXPECT_EQ(text(ids::kStatus), "");
    EXPECT_EQ(text(ids::kLog), "");
    EXPECT_EQ(IsDlgButtonChecked(dialog->window(), ids::kExpectedRuns), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog->window(), ids::kStandardError), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog->window(), ids::kInningRuns), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog->window(), ids::kInningScoring), BST_UNCHECKED);
    for (const int id : ids::kPatterns)
        EXPECT_EQ(SendMessageW(control(id), EM_GETLIMITTEXT, 0, 0), 9);
    EXPECT_EQ(SendMessageW(control(ids::kStatus), EM_GETLIMITTEXT, 0, 0), 255);
}

TEST_F(MainWindow, TabVisitsTheControlsInTheTablesOrder) {
    std::vector<int> expected;
    for (const ControlItem& item : kMainDialogTemplate.controls) {
        if (item.id != kNoId) expected.push_back(item.id);
    }
    std::vector<int> visited;
    HWND at = control(ids::kGrid[0][0]);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        visited.push_back(GetDlgCtrlID(at));
        test::pressKey(*dialog, at, VK_TAB);
        at = GetFocus();
    }
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(at, control(ids::kGrid[0][0]));  // and round again
}

TEST_F(MainWindow, ReadsTypedTextAndRefusesAFieldWithFocusAndSelection) {
    type(ids::kGrid[2][2], "abc");  // batter C's 2B
    EXPECT_FALSE(dialog->readControls());
    expectOneFailure(ids::kGrid[2][2], "打者C の 2B", msg::kIntegerRequired);

    boxes.shown.clear();
    type(ids::kGrid[2][2], " 007 ");
    type(ids::kGrid[3][0], "５２０");  // full-width, as an input method types them
    type(ids::kGrid[4][6], "-0.5");
    // Nine bytes of UTF-8 fit a pattern, ten do not, whatever the characters.
    type(ids::kPatterns[1], "あいう");
    type(ids::kPatterns[2], "*あいう");
    EXPECT_FALSE(dialog->readControls());
    expectOneFailure(ids::kPatterns[2], "打線指定 3", msg::byteLimit(9));

    boxes.shown.clear();
    type(ids::kPatterns[2], "");
    SendMessageW(control(ids::kInningRuns), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(dialog->readControls());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(dialog->model().batters[2].doubles, 7);
    EXPECT_EQ(dialog->model().batters[3].atBats, 520);
    EXPECT_DOUBLE_EQ(dialog->model().batters[4].rate1B1to3, -0.5);
    EXPECT_EQ(dialog->model().patterns[1], "あいう");
    EXPECT_TRUE(dialog->model().report.inningRuns);
    dialog->showModel();
    EXPECT_EQ(text(ids::kGrid[2][2]), "7");
}

TEST_F(MainWindow, ReportMessageSetsTheStatusAfterTheBoxCloses) {
    std::string statusWhileShown = "not shown";
    boxes.onShow = [&] { statusWhileShown = text(ids::kStatus); };
    const std::string message = std::string(msg::kNormalEnd) + "out.txt";
    dialog->reportMessage(message);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, MessageBoxes::Kind::Report);
    EXPECT_EQ(statusWhileShown, "");
    EXPECT_EQ(text(ids::kStatus), message);
    // The status line reads back unchanged, line break included.
    ASSERT_TRUE(dialog->readControls());
    EXPECT_EQ(dialog->model().statusText, message);
}

TEST_F(MainWindow, TheSystemsMessageBoxIsTitledWithTheProgramsName) {
    dialog->setMessageBoxes(nullptr);
    std::vector<std::wstring> seen;
    std::wstring title;
    test::whenModal([&] {
        const std::vector<HWND> open = test::threadDialogs();
        for (const HWND box : open) {
            if (box == dialog->window()) continue;
            title = test::textOf(box);
            seen = test::childTexts(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    dialog->reportMessage("出力が開けません：");
    EXPECT_EQ(title, L"win32_ui_tests");
    EXPECT_NE(std::find(seen.begin(), seen.end(), L"出力が開けません："), seen.end());
    EXPECT_EQ(text(ids::kStatus), "出力が開けません：");
}

TEST_F(MainWindow, EnterPressesAFocusedButtonDoesNothingInTheLogAndElsewhereReadsAndCloses) {
    // The focus moves as Tab moves it. Save asks for a file (here
    // cancelled), the window stays.
    const auto focus = [this](int id) {
        SendMessageW(dialog->window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE);
    };
    focus(ids::kSave);
    test::pressKey(*dialog, control(ids::kSave), VK_RETURN);
    EXPECT_EQ(chooser.requestCount, 1);
    EXPECT_TRUE(dialog->isOpen());

    type(ids::kGrid[0][0], "bad");
    focus(ids::kLog);
    test::pressKey(*dialog, control(ids::kLog), VK_RETURN);
    EXPECT_TRUE(dialog->isOpen());
    EXPECT_TRUE(boxes.shown.empty());

    type(ids::kGrid[0][0], "1");
    type(ids::kGamesPerOrder, "0");
    // Away from the button Enter is the dialog's again.
    focus(ids::kGamesPerOrder);
    test::pressKey(*dialog, control(ids::kGamesPerOrder), VK_RETURN);
    EXPECT_TRUE(dialog->isOpen());
    expectOneFailure(ids::kGamesPerOrder, "打線あたりの試行数", msg::integerRange(1, 2147483647));

    type(ids::kGamesPerOrder, "150");
    boxes.answer = true;  // yes, close although fields changed
    test::pressKey(*dialog, control(ids::kGamesPerOrder), VK_RETURN);
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(dialog->model().gamesPerOrder, 150);
    EXPECT_EQ(boxes.asked, std::vector<std::string>{std::string(msg::kConfirmClose)});
}

TEST_F(MainWindow, EscapeClosesWithoutReadingAskingFirstWhenAFieldChanged) {
    type(ids::kGrid[0][0], "bad");
    type(ids::kGamesPerOrder, "99");
    // No, the default, keeps the window and what was typed.
    test::pressKey(*dialog, control(ids::kGrid[0][0]), VK_ESCAPE);
    EXPECT_TRUE(dialog->isOpen());
    EXPECT_EQ(text(ids::kGamesPerOrder), "99");
    boxes.answer = true;
    test::pressKey(*dialog, control(ids::kGrid[0][0]), VK_ESCAPE);
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(boxes.asked.size(), 2u);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(dialog->model().gamesPerOrder, 140);

    // Fields as they were shown: closing asks nothing (the system's box
    // would wait for a user here).

    MainDialog second(GetModuleHandleW(nullptr));
    second.show();
    SetFocus(second.control(ids::kLog));
    test::pressKey(second, second.control(ids::kLog), VK_ESCAPE);
    EXPECT_FALSE(second.isOpen());
}

TEST_F(MainWindow, TheLogShowsItsEndWithoutTakingTheFocus) {
    const HWND log = control(ids::kLog);
    for (int i = 0; i < 40; ++i) dialog->appendLog(std::to_string(i) + "\n");
    dialog->logPane().flush();
    SendMessageW(log, WM_VSCROLL, SB_TOP, 0);  // the user scrolls to the top
    dialog->appendLog("last one\n");
    dialog->appendLog("and another\n");
    const std::string contents = dialog->logPane().contents();
    EXPECT_TRUE(contents.ends_with("39\nlast one\nand another\n")) << contents;
    // The last line is in view, and the pane has scrolled to it.
    const LRESULT lines = SendMessageW(log, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(SendMessageW(log, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    RECT view{};
    SendMessageW(log, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
    const LRESULT lastChar = SendMessageW(log, EM_LINEINDEX, lines - 1, 0);
    const LRESULT at = SendMessageW(log, EM_POSFROMCHAR, static_cast<WPARAM>(lastChar), 0);
    EXPECT_LE(static_cast<short>(HIWORD(at)), view.bottom);
    EXPECT_EQ(GetFocus(), control(ids::kGrid[0][0]));

    dialog->clearLog();
    EXPECT_EQ(dialog->logPane().contents(), "");
}

TEST_F(MainWindow, TheLogKeepsItsLatestLinesWhenFull) {
    for (const int linesPerFlush : {1000, 0}) {
        SCOPED_TRACE(linesPerFlush);
        dialog->clearLog();
        const int lines = 2 * kLogMaxLines + 500;
        for (int i = 0; i < lines; ++i) {
            dialog->appendLog("abcdefghi 6.107143 " + std::to_string(i) + "\n");
            if (linesPerFlush > 0 && i % linesPerFlush == 0) dialog->logPane().flush();
        }
        const std::string contents = dialog->logPane().contents();
        // Exactly the newest kLogMaxLines lines, in order and without gaps.
        std::size_t start = 0;
        int line = lines - kLogMaxLines;
        for (std::size_t end = contents.find('\n'); end != std::string::npos;
             end = contents.find('\n', start)) {
            ASSERT_EQ(contents.substr(start, end - start),
                      "abcdefghi 6.107143 " + std::to_string(line));
            ++line;
            start = end + 1;
        }
        EXPECT_EQ(line, lines);
        EXPECT_EQ(start, contents.size());
    }
}

TEST_F(MainWindow, TheSystemMenuOffersAboutTheRankingAndTheRosterAfterASeparator) {
    const HMENU menu = GetSystemMenu(dialog->window(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 4);
    const auto textAt = [menu](int position) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        return toUtf8(text);
    };
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 4), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(menu, count - 3), static_cast<UINT>(kAboutCommand));
    EXPECT_EQ(textAt(count - 3), kAboutMenuText);
    EXPECT_EQ(GetMenuItemID(menu, count - 2), static_cast<UINT>(kRankingCommand));
    EXPECT_EQ(textAt(count - 2), kRankingMenuText);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(kRosterCommand));
    EXPECT_EQ(textAt(count - 1), kRosterMenuText);
    // Of the usual entries only Move and Close: nothing else shares a key.
    EXPECT_NE(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    for (const UINT gone : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        EXPECT_EQ(GetMenuState(menu, gone, MF_BYCOMMAND), static_cast<UINT>(-1)) << gone;
    }
}

TEST_F(MainWindow, TheAboutEntryShowsTheAboutBoxWhichEnterCloses) {
    type(ids::kGrid[0][0], "12");  // typed but not read
    std::wstring caption;
    std::vector<std::wstring> texts;
    bool iconShown = false;
    bool okIsDefault = false;
    bool okFocused = false;
    test::whenModal([&] {
        const HWND about = test::threadWindow(L"GUIのﾊﾞｰｼﾞｮﾝ情報");
        if (about == nullptr) return;
        caption = test::textOf(about);
        texts = test::childTexts(about);
        for (HWND child = GetWindow(about, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                SendMessageW(child, STM_GETICON, 0, 0) != 0) {
                iconShown = true;
            }
        }
        const HWND ok = GetDlgItem(about, ids::kAboutOk);
        okIsDefault = (GetWindowLongPtrW(ok, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        okFocused = GetFocus() == ok;
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);  // Enter presses OK
    });
    SendMessageW(dialog->window(), WM_SYSCOMMAND, kAboutCommand, 0);
    EXPECT_EQ(caption, L"GUIのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"DIZ Version 1.0"), texts.end());
    EXPECT_TRUE(iconShown);
    EXPECT_TRUE(okIsDefault);
    EXPECT_TRUE(okFocused);
    EXPECT_EQ(test::threadWindow(L"GUIのﾊﾞｰｼﾞｮﾝ情報"), nullptr);
    EXPECT_EQ(text(ids::kGrid[0][0]), "12");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindow, LoadSaveAndSimulateGoThroughTheChooserAndTheCore) {
    test::ScratchDir dir;
    // Load with the chooser cancelled shows the normal form.
    type(ids::kGrid[0][0], "007");
    dialog->load();
    EXPECT_EQ(text(ids::kGrid[0][0]), "7");

    chooser.answer = test::exampleFile("batters.txt");
    dialog->load();
    EXPECT_EQ(text(ids::kGrid[0][0]), "520");
    EXPECT_EQ(text(ids::kGrid[8][8]), "0.48");
    EXPECT_EQ(text(ids::kStatus), msg::kBattersLoaded);

    // Saved, the batters read back as they were loaded (the file's own form).
    const std::filesystem::path saved = dir.path("保存.txt");
    chooser.answer = toUtf8(saved.wstring());
    dialog->save();
    EXPECT_EQ(dir.read("保存.txt"), test::readFile(utf8Path(test::exampleFile("batters.txt"))));

    // One order of the example batters: the line diz-cli run writes for them.
    SimulationFiles files;
    files.orderFile = test::exampleFile("order.dat");
    dialog->setSimulationFiles(files);
    chooser.answer = toUtf8(dir.path("output.txt").wstring());
    dialog->simulate();
    EXPECT_EQ(dir.read("output.txt"), "abcdefghi 4.835714 0.242355\r\n");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string(msg::kNormalEnd) + *chooser.answer);
    const std::string log = dialog->logPane().contents();
    EXPECT_TRUE(log.starts_with("# 打者A\t")) << log;
    EXPECT_TRUE(
        log.ends_with("# 打者I\tAVE: 0.250   OBP: 0.309   SLG: 0.315   OPS: 0.624\n"
                      "abcdefghi 4.835714 0.242355\n"))
        << log;
    // The fields hold what the run started from: closing asks nothing.
    dialog->close();
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(MainWindow, AnInvalidFieldStopsSimulateBeforeTheLogIsCleared) {
    dialog->appendLog("kept\n");
    type(ids::kGrid[0][0], "0");
    dialog->simulate();
    expectOneFailure(ids::kGrid[0][0], "打者A の 打数", msg::integerRange(1, 100000));
    EXPECT_EQ(chooser.requestCount, 0);
    EXPECT_EQ(dialog->logPane().contents(), "kept\n");
}

}  // namespace
}  // namespace diz::win32
