// The ranking window: every order of a selection evaluated exactly, ranked by
// expected runs in a sortable table with a histogram and an inning chart;
// the table can be saved as CSV and an order sent to the main window's first
// lineup pattern.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "batch/batter_table.h"
#include "batch/orders.h"
#include "batch/ranking_inputs.h"
#include "batch/ranking_run.h"
#include "batch/window.h"
#include "ui/qt/window_services.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;

namespace diz {

class MessageBoxes;
class RankingCharts;
class RankingModel;

// A non-modal window; make it a child of the main window so that the main
// window's modal loop does not block it. The evaluation runs on a thread of
// its own; the widgets are touched only on the GUI thread.
class RankingWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit RankingWindow(QWidget* parent = nullptr);
    // Cancels an evaluation and waits for its thread.
    ~RankingWindow() override;

    // The chooser and message boxes to use instead of the Qt dialogs; not
    // owned, nullptr restores the Qt dialogs.
    void setFileChooser(FileChooser* chooser) { m_services.setFileChooser(chooser); }
    void setMessageBoxes(MessageBoxes* boxes) { m_services.setMessageBoxes(boxes); }

    void setInputs(RankingInputs inputs) { m_inputs = std::move(inputs); }
    // The orders the window ranks: every ordering (the default), the orderings
    // the patterns accept, or the order file's lines as Simulate reads them.
    OrderSource selection() const;
    // Checks the selection's button, which evaluates again when it changes.
    void setSelection(OrderSource selection);
    // The seasons resampled after the ranking (確からしさ, 0: none), read when
    // an evaluation starts; a new number entered (Enter or leaving the field)
    // evaluates again.
    QSpinBox* replicatesField() const { return m_replicates; }

    // Empties the table and evaluates the current selection, starting when
    // the event loop next runs, so that several requests in a row (opening
    // the window, then choosing a selection) start one evaluation. One still
    // running is cancelled first and this one starts when it has ended;
    // meanwhile the status and the progress bar show the new start, nothing
    // of the old run. An order file that can't be read is reported (status
    // and box, naming its folder), the table keeps the orders it showed and
    // the selection goes back to theirs.
    void evaluate();
    // Stops the evaluation (the 中止 button); the table stays empty, or, while
    // resampling, shows the ranking with the seasons done.
    void cancel();
    // True from evaluate() until the evaluation has ended.
    bool isEvaluating() const { return m_startPending || m_run != nullptr; }

    // Asks for a file and writes the whole table in its current sort as CSV.
    // False when cancelled, empty or failed (failures are reported).
    bool saveCsv();
    // Emits orderChosen with the current row's order.
    void sendToPatterns();

    RankingModel& model() const { return *m_model; }
    QTableView* table() const { return m_table; }
    RankingCharts* charts() const { return m_charts; }
    QLabel* summary() const { return m_summary; }
    QLabel* orderNames() const { return m_orderNames; }
    QLabel* status() const { return m_status; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QProgressBar* progress() const { return m_progress; }

  signals:
    // The order (nine letters) the user sent to the lineup patterns.
    void orderChosen(const QString& order);
    // The 選手名簿 button was pressed.
    void rosterRequested();
    // An evaluation ended; `completed` is false when it was cancelled.
    void evaluationFinished(bool completed);

  protected:
    // Closing cancels the evaluation, waits for it and lets the rows go.
    void closeEvent(QCloseEvent* event) override;

  private:
    class Notices;

    void start();
    void finish(unsigned generation);
    // Shows a ranking's rows (taken from it), charts and summary, resampled or
    // not yet.
    void showRanking(RankingRun::Result& ranking);
    // The row of the table's rows at the current place, and back to it
    // after a sort (the first row when there is none).
    std::uint32_t currentRow() const;
    void selectRow(std::uint32_t row);
    // The status line and the progress bar from one reading of the run.
    void showProgress();
    void showInningColumns(bool shown);
    void showResampledColumns(bool shown);
    // Checks a selection's button without evaluating it.
    void setSelectionQuietly(OrderSource selection);
    void stopRun();
    FileChooser& fileChooser() { return m_services.fileChooser(); }
    MessageBoxes& messageBoxes() { return m_services.messageBoxes(); }

    RankingInputs m_inputs;
    RankingModel* m_model;
    QRadioButton* m_selectionButtons[3];
    QButtonGroup* m_selectionGroup;
    QSpinBox* m_replicates;
    int m_startedReplicates = -1;  // of the evaluation shown or running
    // The selection the table shows (or is being evaluated for).
    OrderSource m_shownSelection = OrderSource::EveryOrdering;
    QProgressBar* m_progress;
    QPushButton* m_cancelButton;
    QLabel* m_status;
    QLabel* m_summary;
    QCheckBox* m_inningColumns;
    QLabel* m_orderNames;  // the selected order's players, when named
    QTableView* m_table;
    RankingCharts* m_charts;
    QPushButton* m_saveButton;
    QPushButton* m_patternButton;
    QTimer m_progressTimer;

    // The run's notices outlive the run, whose thread sends them.
    std::unique_ptr<Notices> m_notices;
    std::unique_ptr<RankingRun> m_run;
    unsigned m_generation = 0;  // finishes of older runs are ignored
    bool m_restart = false;     // evaluate again once the running one ends
    bool m_startPending = false;

    WindowServices m_services{this};
};

}  // namespace diz
