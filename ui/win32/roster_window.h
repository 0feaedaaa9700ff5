// The roster window (選手名簿): a team's players read from a CSV file or made
// from the main window's nine rows, in an editable, sortable list with each
// player's marks (必ず出場 / 出場しない, a locked batting slot); the search
// for the best lineups, with its progress and 中止; and the found lineups,
// one of which goes into the main window's nine rows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "batch/roster_table.h"
#include "ui/win32/file_chooser.h"
#include "ui/win32/handles.h"
#include "ui/win32/message_boxes.h"

namespace diz::win32 {

// A modeless window owned by the main window, hidden rather than destroyed
// when closed, keeping its roster. The search runs on a thread of its own
// (LineupRun), which the window polls on a timer; the controls are touched
// only on the window's thread, whose message loop must pass every message to
// translateMessage() first.
//
// The list edits one cell at a time: F2, Enter or a double click opens an
// editor over the current cell (the focused row's, in the column last
// clicked or moved to with the arrow keys): a text field for the player's
// columns, a drop-down list for the two marks; typing a character there opens
// the text field with that character. Enter or leaving it puts the text in,
// Escape drops it; a refused text is reported and the cell shows what it
// held.
class RosterWindow {
  public:
    // The controls' identifiers.
    enum Control : int {
        kImport = 100,
        kFromRows,
        kSave,
        kRatesLabel = 110,
        kFirstRate,  // the three default rates, in the order of RunningRates
        kTable = 120,
        kCellEdit,
        kCellChoice,
        kSearch = 130,
        kProgress,
        kCancel,
        kStatus,
        kLineupsLabel = 140,
        kLineups,
        kPut,
    };

    // Creates the window, hidden, over `owner`.
    RosterWindow(HINSTANCE instance, HWND owner);
    // Cancels a search, waits for its thread and destroys the window.
    ~RosterWindow();
    RosterWindow(const RosterWindow&) = delete;
    RosterWindow& operator=(const RosterWindow&) = delete;

    HWND window() const { return m_window.get(); }
    HWND control(int id) const;

    // The chooser and message boxes to use instead of the system's; not
    // owned, nullptr restores the system's.
    void setFileChooser(FileChooser* chooser) { m_chooserSet = chooser; }
    void setMessageBoxes(MessageBoxes* boxes) { m_boxesSet = boxes; }
    // Where 9 人の打者から作る takes the rows: fills the model from the main
    // window's controls, false when one of them is invalid (the main window
    // has told the user).
    void setRowsSource(std::function<bool(WindowModel&)> read) { m_readRows = std::move(read); }
    // Called with the found lineup (an index into roster().found()) the user
    // puts into the rows.
    void setLineupChosen(std::function<void(int)> chosen) { m_lineupChosen = std::move(chosen); }
    // Called when a search has ended, stopped or not.
    void setSearchFinished(std::function<void()> finished) {
        m_searchFinished = std::move(finished);
    }

    // Shows the window, in front and active.
    void show();

    // The buttons' actions.
    bool importRoster();
    void makeFromRows();
    bool saveRoster();
    // Checks the marks and starts the search (nothing when they can't be met:
    // the reason is shown).
    bool search();
    void cancel();
    bool isSearching() const { return m_run != nullptr; }
    // Hands the lineup selected in the list over (打線に入れる, Enter, a
    // double click).
    void putLineup();
    // Cancels a search and hides the window (the close box).
    void close();

    // Opens the editor over a cell, as F2 does there; commitEdit puts its
    // text in, as Enter does, cancelEdit drops it, as Escape does.
    void editCell(int viewRow, int column);
    void commitEdit() { endEdit(true); }
    void cancelEdit() { endEdit(false); }
    bool isEditing() const { return m_editColumn >= 0; }
    // Sorts as a click on a column's heading does: a new column ascending,
    // the same column again the other way round.
    void sortByHeading(int column);

    const RosterTable& roster() const { return m_table; }

    // The window's keyboard handling for a message of the thread's loop: true
    // when it was the window's and has been handled.
    bool translateMessage(MSG& message);

  private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void initialise(HWND window);
    void createControls();
    void layOut();
    void limitSize(MINMAXINFO& limits) const;
    void detach();
    void command(int id, int code);
    void enterPressed();
    LRESULT notify(NMHDR& header);
    LRESULT customDraw(NMHDR& header) const;
    void keyInTable(WORD key);
    void typedInTable(wchar_t character);
    void endEdit(bool commit);
    void showTable();
    void showFound();
    void showSortMark();
    void poll();
    void stopRun();
    int focusedRow() const;
    std::string shownCell(int viewRow, int column) const;
    void report(const std::string& text);
    void setStatus(std::string_view text);
    std::optional<RunningRates> defaultRates();
    FileChooser& fileChooser() { return m_chooserSet ? *m_chooserSet : *m_systemChooser; }
    MessageBoxes& messageBoxes() { return m_boxesSet ? *m_boxesSet : m_systemBoxes; }

    HINSTANCE m_instance;
    UniqueWindow m_window;
    std::unique_ptr<SystemFileChooser> m_systemChooser;
    SystemMessageBoxes m_systemBoxes;
    FileChooser* m_chooserSet = nullptr;
    MessageBoxes* m_boxesSet = nullptr;
    std::function<bool(WindowModel&)> m_readRows;
    std::function<void(int)> m_lineupChosen;
    std::function<void()> m_searchFinished;

    RosterTable m_table;
    int m_column = 0;       // the current cell's column in the focused row
    int m_statusLines = 1;  // the status's height
    // The cell being edited, -1 when none.
    int m_editRow = -1;
    int m_editColumn = -1;
    std::unique_ptr<LineupRun> m_run;
};

}  // namespace diz::win32
