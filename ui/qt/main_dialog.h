// The program's window: the batter grid, games per order, lineup patterns,
// report options, the Load, Save and Simulate buttons, the status line and
// the log pane.
#pragma once

#include <QDialog>

#include "batch/simulation.h"
#include "batch/window.h"
#include "batch/window_controls.h"
#include "batch/window_model.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/window_services.h"

class QMenu;

namespace diz {

class LogPane;
class MessageBoxes;
class RankingWindow;
class RosterWindow;

// MainDialog owns the window's model and moves values between it and the
// controls only at fixed points: readControls at the start of an action (and
// on Enter), showModel after one. It is the core's Window, so the actions
// report through it. Everything runs on the GUI thread.
//
// Enter presses a focused push button, does nothing in the log pane and
// elsewhere reads the controls and closes the window if they are valid.
// Escape and the close box close it without reading. Every way of closing
// first asks (msg::kConfirmClose, no the default) when a field differs from
// what was last loaded, saved or simulated (EnteredFields), and stays open
// on no.
class MainDialog : public QDialog, public Window {
    Q_OBJECT
  public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    // The control with identifier `id` (1000 to 1111), or nullptr.
    QWidget* control(int id) const;

    WindowModel& model() { return m_model; }
    const WindowModel& model() const { return m_model; }

    // Replaces the file choosers and message boxes (tests); the dialog does
    // not take ownership, and the objects must outlive it or be unset with
    // nullptr, which restores the Qt dialogs.
    void setFileChooser(FileChooser* chooser) { m_services.setFileChooser(chooser); }
    void setMessageBoxes(MessageBoxes* boxes) { m_services.setMessageBoxes(boxes); }
    // Where Simulate (and the ranking's order-file selection) finds the order
    // file, and Simulate the engine library.
    void setSimulationFiles(SimulationFiles files) { m_files = std::move(files); }

    // Copies every control into the model, checking each value in reading
    // order; at the first invalid one it tells the user, puts the focus on
    // that field with its text selected and returns false, leaving the model
    // as it was.
    bool readControls();

    // Window: the operations through which the batch actions reach the window.
    void clearLog() override;
    void appendLog(std::string_view text) override;
    void showModel() override;
    void repaintNow() override;
    void reportMessage(std::string_view text) override;

    // The window's menu holding the About entry and below it the ranking
    // window's (behind a separator): the context menu of the window's
    // background, also opened by Alt+Space.
    QMenu* systemMenu() const { return m_systemMenu; }
    // Shows the About box modally over the window.
    void showAbout();
    // The system menu's ranking entry: reads the controls like Simulate and,
    // when they are valid, opens (or raises) the ranking window and evaluates
    // it with the current batters, patterns and order file. The window's
    // chosen order goes into lineup pattern 1.
    void showRanking();
    // The ranking window once it was opened, else nullptr.
    RankingWindow* rankingWindow() const { return m_ranking; }
    // The system menu's roster entry: opens (or raises) the roster window. A
    // lineup it sends goes into the nine rows, named, with lineup pattern 1
    // selecting it (the other controls read first, and kept).
    void showRoster();
    RosterWindow* rosterWindow() const { return m_roster; }

    // The three buttons' actions. Each first reads the controls and does
    // nothing more if a value is invalid. Load and Save show the model again
    // afterwards on every path, a cancelled chooser included.
    void load();
    void save();
    void simulate();

  public slots:
    // The dialog's OK, reached by Enter: closes only if readControls succeeds.
    void accept() override;
    // Every close (Enter, Escape, the close box, the menu's Close) ends here.
    void done(int result) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    class Controls;

    void setUpSystemMenu();
    void connectActions();
    void setFieldLimits();
    LogPane* logPane() const;
    FileChooser& fileChooser() { return m_services.fileChooser(); }
    MessageBoxes& messageBoxes() { return m_services.messageBoxes(); }

    WindowModel m_model;
    EnteredFields m_entered;
    ControlMap m_controls;
    std::unique_ptr<Controls> m_access;
    SimulationFiles m_files;
    QMenu* m_systemMenu = nullptr;
    RankingWindow* m_ranking = nullptr;  // a child, made on first use
    RosterWindow* m_roster = nullptr;    // likewise
    WindowServices m_services{this};
};

}  // namespace diz
