// The ranking window: every order of a selection evaluated exactly, ranked by
// expected runs in a sortable list with a histogram and an inning chart; the
// table can be saved as CSV and an order sent to the main window's first
// lineup pattern.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/orders.h"
#include "batch/ranking.h"
#include "batch/ranking_inputs.h"
#include "batch/ranking_run.h"
#include "ui/win32/file_chooser.h"
#include "ui/win32/handles.h"
#include "ui/win32/message_boxes.h"

namespace diz::win32 {

class RankingCharts;

// A modeless window owned by the main window, hidden rather than destroyed
// when closed. The evaluation runs on threads of its own (RankingRun); the
// controls are touched only on the window's thread, whose message loop must
// pass every message to translateMessage() first. The list is virtual: it
// asks for the cells in view, so hundreds of thousands of rows cost it
// nothing.
class RankingWindow {
  public:
    // The controls' identifiers.
    enum Control : int {
        kEveryOrdering = 100,  // the three selections, in the order of OrderSource
        kAcceptedOrderings,
        kOrderFile,
        kReplicatesLabel,  // 確からしさ: the seasons to resample, an edit with arrows
        kReplicates,
        kReplicatesArrows,
        kReplicatesUnit,
        kProgress = 110,
        kCancel,
        kStatus,
        kSummary,
        kInningColumns,
        kList = 120,
        kSpreadChart,
        kInningsChart,
        kSaveCsv = 130,
        kToPattern,
        kClose,
        kRoster,      // 選手名簿: opens the roster window
        kOrderNames,  // the selected order's players, when the rows are named
    };

    // Creates the window, hidden, over `owner`.
    RankingWindow(HINSTANCE instance, HWND owner);
    // Cancels an evaluation, waits for its threads and destroys the window.
    ~RankingWindow();
    RankingWindow(const RankingWindow&) = delete;
    RankingWindow& operator=(const RankingWindow&) = delete;

    HWND window() const { return m_window.get(); }
    HWND control(int id) const;

    // The chooser and message boxes to use instead of the system's; not
    // owned, nullptr restores the system's.
    void setFileChooser(FileChooser* chooser) { m_chooserSet = chooser; }
    void setMessageBoxes(MessageBoxes* boxes) { m_boxesSet = boxes; }
    void setInputs(RankingInputs inputs) { m_inputs = std::move(inputs); }
    // Called with the order (nine letters) the user sends to the patterns.
    void setOrderChosen(std::function<void(std::string_view)> chosen) {
        m_orderChosen = std::move(chosen);
    }
    // Called when the 選手名簿 button is pressed.
    void setRosterRequested(std::function<void()> requested) {
        m_rosterRequested = std::move(requested);
    }
    // Called when an evaluation has ended; false when it was cancelled or
    // could not start.
    void setEvaluationFinished(std::function<void(bool)> finished) {
        m_evaluationFinished = std::move(finished);
    }

    // Shows the window, in front and active.
    void show();
    // The orders the window ranks: every ordering (the default), the
    // orderings the patterns accept, or the order file's lines.
    OrderSource selection() const;
    // Checks the selection's button, which evaluates again when it changes.
    void setSelection(OrderSource selection);
    // The seasons resampled after the ranking (確からしさ, 0: none, at most
    // resampling::kReplicatesMax), read when an evaluation starts; a new
    // number entered (Enter, leaving the field or its arrows) evaluates
    // again. Setting it evaluates nothing.
    std::uint32_t replicates() const;
    void setReplicates(std::uint32_t replicates);

    // Empties the list and evaluates the current selection, starting when the
    // message loop next runs, so that several requests in a row start one
    // evaluation. One still running is cancelled first and this one starts
    // when it has ended. An order file that can't be opened is reported and
    // nothing starts.
    void evaluate();
    // Stops the evaluation (中止); the list stays empty, or, while resampling,
    // shows the ranking with the seasons done.
    void cancel();
    // True from evaluate() until the evaluation has ended.
    bool isEvaluating() const { return m_startPending || m_run != nullptr; }

    // Sorts as a click on table column `column`'s heading does: by a new
    // column ascending, by the same column the other way round. The focused
    // order stays focused.
    void sortByHeading(int column);
    // The table column shown in each of the list's columns, left to right:
    // the first five, the two resampled ones once resampled, the innings when
    // shown.
    const std::vector<int>& listColumns() const { return m_columns; }
    // Shows or hides the eighteen inning columns (イニング別を表示).
    void showInningColumns(bool shown);
    // Asks for a file and writes the whole table in its current sort as CSV.
    // False when cancelled, empty or failed (failures are reported).
    bool saveCsv();
    // Sends the focused row's order to the patterns (打線指定へ, double click).
    void sendToPatterns();
    // Cancels and waits, empties the window and hides it (閉じる, the close box).
    void close();

    const RankingTable& table() const { return m_table; }
    const RankingCharts& charts() const { return *m_charts; }
    // The list row that has the focus, or -1.
    int focusedRow() const;
    void focusRow(int viewRow);

    // The window's keyboard handling (Ctrl+S, Tab, the buttons' keys) for a
    // message of the thread's loop: true when it was the window's and has
    // been handled.
    bool translateMessage(MSG& message);

  private:
    class Notices;

    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void initialise(HWND window);
    void createControls();
    void layOut();
    void limitSize(MINMAXINFO& limits) const;
    bool timer(WPARAM id);
    void detach();
    void startIfPending();
    void command(int id, int code);
    LRESULT notify(NMHDR& header);
    void start();
    void finish(unsigned generation);
    // Shows a ranking's rows (taken from it), charts and summary, resampled or
    // not yet.
    void showRanking(RankingRun::Result& ranking);
    void showSlowOrders(unsigned generation);
    void showProgress();
    void stopRun();
    void emptyList();
    void showSortMark();
    void showColumns();
    void replicatesEntered();
    void finished(bool completed);
    void setText(int id, std::string_view text);
    FileChooser& fileChooser() { return m_chooserSet ? *m_chooserSet : *m_systemChooser; }
    MessageBoxes& messageBoxes() { return m_boxesSet ? *m_boxesSet : m_systemBoxes; }

    HINSTANCE m_instance;
    UniqueWindow m_window;
    UniqueAccelerators m_accelerators;
    std::unique_ptr<RankingCharts> m_charts;
    std::unique_ptr<SystemFileChooser> m_systemChooser;
    SystemMessageBoxes m_systemBoxes;
    FileChooser* m_chooserSet = nullptr;
    MessageBoxes* m_boxesSet = nullptr;
    std::function<void(std::string_view)> m_orderChosen;
    std::function<void()> m_rosterRequested;
    std::function<void(bool)> m_evaluationFinished;

    RankingInputs m_inputs;
    RankingTable m_table;
    std::vector<int> m_columns;  // listColumns()
    // Each table column's width in the list when last shown; 0: not yet.
    std::array<int, ranking::kTableColumnCount> m_widths{};
    bool m_inningsShown = false;
    int m_startedReplicates = -1;  // of the evaluation shown or running
    int m_sortColumn = ranking::kMeanRuns;
    SortDirection m_sortDirection = SortDirection::Descending;
    std::string m_cell;  // the last cell the list asked for

    // The run's notices outlive the run, whose thread sends them.
    std::unique_ptr<Notices> m_notices;
    std::unique_ptr<RankingRun> m_run;
    unsigned m_generation = 0;  // finishes of older runs are ignored
    bool m_restart = false;     // evaluate again once the running one ends
    bool m_startPending = false;
};

}  // namespace diz::win32
