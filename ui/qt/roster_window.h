// The roster window (選手名簿): a team's players read from a CSV file or made
// from the main window's nine rows, in an editable, sortable table with each
// player's marks (必ず出場 / 出場しない, a locked batting slot); the search
// for the best lineups, with its progress and 中止; and the found lineups,
// one of which goes into the main window's nine rows.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "batch/roster_table.h"
#include "ui/qt/window_services.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace diz {

class MessageBoxes;

// A non-modal window; make it a child of the main window so that the main
// window's modal loop does not block it. The search runs on a thread of its
// own; the widgets are touched only on the GUI thread.
class RosterWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit RosterWindow(QWidget* parent = nullptr);
    // Cancels a search and waits for its thread.
    ~RosterWindow() override;

    void setFileChooser(FileChooser* chooser) { m_services.setFileChooser(chooser); }
    void setMessageBoxes(MessageBoxes* boxes) { m_services.setMessageBoxes(boxes); }
    // Where 9 人の打者から作る takes the rows: fills the model from the main
    // window's controls, false when one of them is invalid (the main window
    // has told the user).
    void setRowsSource(std::function<bool(WindowModel&)> read) { m_readRows = std::move(read); }

    // The buttons' actions.
    bool importRoster();
    void makeFromRows();
    bool saveRoster();
    // Checks the marks and starts the search (nothing when they can't be met:
    // the reason is shown).
    bool search();
    void cancel();
    bool isSearching() const { return m_run != nullptr; }
    // Emits lineupChosen with the current found lineup.
    void putLineup();

    const RosterTable& roster() const { return m_table; }
    QTableWidget* table() const { return m_grid; }
    QListWidget* lineups() const { return m_lineups; }
    QLabel* status() const { return m_status; }
    QPushButton* searchButton() const { return m_searchButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

  signals:
    // The found lineup `found` (an index into roster().found()) was chosen.
    void lineupChosen(int found);
    // A search ended, stopped or not.
    void searchFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class MarkDelegate;

    void showTable();
    void showFound();
    void cellEdited(int viewRow, int column);
    void sortBy(int column);
    void poll();
    void report(const std::string& text);
    std::optional<RunningRates> defaultRates();
    FileChooser& fileChooser() { return m_services.fileChooser(); }
    MessageBoxes& messageBoxes() { return m_services.messageBoxes(); }

    RosterTable m_table;
    std::function<bool(WindowModel&)> m_readRows;
    std::array<QLineEdit*, 3> m_rates{};
    QTableWidget* m_grid;
    QPushButton* m_searchButton;
    QPushButton* m_cancelButton;
    QPushButton* m_putButton;
    QProgressBar* m_progress;
    QLabel* m_status;
    QListWidget* m_lineups;
    QTimer m_pollTimer;
    bool m_filling = false;  // the table is being filled, not edited
    std::unique_ptr<LineupRun> m_run;
    WindowServices m_services{this};
};

}  // namespace diz
