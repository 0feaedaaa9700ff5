// The program's window, dialog 102 of the core's tables: the batter grid,
// games per order, lineup patterns, report options, the Load, Save and
// Simulate buttons, the status line and the log pane.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "batch/simulation.h"
#include "batch/window.h"
#include "batch/window_controls.h"
#include "batch/window_model.h"
#include "ui/win32/file_chooser.h"
#include "ui/win32/handles.h"
#include "ui/win32/message_boxes.h"

namespace diz::win32 {

class LogPane;
class RankingWindow;
class RosterWindow;

// MainDialog owns the window's model and moves values between it and the
// controls only at fixed points: readControls at the start of an action (and
// on Enter), showModel after one. It is the core's Window, so the actions
// report through it. Everything runs on the thread that made it, whose
// message loop must pass every message to translateMessage() first.
//
// The window is a modeless dialog: Enter and Escape are the dialog manager's.
// Enter presses a focused push button, does nothing in the log pane and
// elsewhere reads the controls and closes the window if they are valid.
// Escape, the close box and the system menu's Close close it without
// reading. When a field differs from what was last loaded, saved or
// simulated, closing first asks (msg::kConfirmClose, no the default) and a
// no keeps the window. Closing destroys the window; the object stays until
// deleted.
class MainDialog final : public Window {
  public:
    // Creates the window from `instance`'s resources (icon 128, string 101),
    // hidden; show() shows it.
    explicit MainDialog(HINSTANCE instance);
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    HWND window() const { return m_window.get(); }
    // True until the window was closed.
    bool isOpen() const { return static_cast<bool>(m_window); }
    void show();
    // The control with identifier `id` (1000 to 1111), or null.
    HWND control(int id) const;

    WindowModel& model() { return m_model; }
    const WindowModel& model() const { return m_model; }

    // Replaces the file chooser and the message boxes (tests, tools); not
    // owned, they must outlive the dialog or be unset with nullptr, which
    // restores the system's.
    void setFileChooser(FileChooser* chooser) { m_chooserSet = chooser; }
    void setMessageBoxes(MessageBoxes* boxes) { m_boxesSet = boxes; }
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

    // The three buttons' actions. Each first reads the controls and does
    // nothing more if a value is invalid. Load and Save show the model again
    // afterwards on every path, a cancelled chooser included.
    void load();
    void save();
    void simulate();
    // The dialog's OK, reached by Enter: closes only if readControls succeeds.
    void accept();
    // Closes the window without reading the controls, asking first when a
    // field changed since the last Load, Save or Simulate.
    void close();

    // The system menu's entries: the About box, shown modally over the
    // window; the ranking window, which reads the controls like Simulate and,
    // when they are valid, is opened (or raised) and evaluates the current
    // batters, patterns and order file. Its chosen order goes into lineup
    // pattern 1.
    void showAbout();
    void showRanking();
    // The ranking window once it was opened, else null.
    RankingWindow* rankingWindow() const { return m_ranking.get(); }
    // The roster window, opened (or raised) with what it held. 9 人の打者から
    // 作る reads the controls first and takes the nine rows; a lineup put from
    // it reads the controls first and becomes the nine rows, named, with
    // lineup pattern 1 selecting it (putLineup).
    void showRoster();
    // The roster window once it was opened, else null.
    RosterWindow* rosterWindow() const { return m_roster.get(); }

    LogPane& logPane() const { return *m_log; }

    // Keyboard handling of the window and of its ranking and roster windows for a
    // message of the thread's loop: true when the message was theirs and has
    // been handled (it must then not be dispatched).
    bool translateMessage(MSG& message);

  private:
    class Controls;

    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void initialise(HWND window);
    void command(int id, int code);
    bool systemCommand(WPARAM command);
    bool timer(WPARAM id);
    void detach();
    void addSystemMenuEntries();
    FileChooser& fileChooser() { return m_chooserSet ? *m_chooserSet : *m_systemChooser; }
    MessageBoxes& messageBoxes() { return m_boxesSet ? *m_boxesSet : m_systemBoxes; }

    HINSTANCE m_instance;
    WindowModel m_model;
    SimulationFiles m_files;
    UniqueWindow m_window;
    std::unique_ptr<Controls> m_controls;
    EnteredFields m_entered;  // what the fields held when last loaded, saved or simulated
    std::unique_ptr<LogPane> m_log;
    std::unique_ptr<SystemFileChooser> m_systemChooser;
    SystemMessageBoxes m_systemBoxes;
    FileChooser* m_chooserSet = nullptr;
    MessageBoxes* m_boxesSet = nullptr;
    std::unique_ptr<RankingWindow> m_ranking;  // made on first use, owned by this window
    std::unique_ptr<RosterWindow> m_roster;    // the same
};

}  // namespace diz::win32
