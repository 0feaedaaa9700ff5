#include "ui/win32/main_dialog.h"

#include "batch/batter_file.h"
#include "batch/dialogs.h"
#include "batch/lineup_run.h"
#include "batch/messages.h"
#include "batch/ranking_inputs.h"
#include "batch/text_io.h"
#include "batch/window_controls.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/log_pane.h"
#include "ui/win32/ranking_window.h"
#include "ui/win32/roster_window.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {

// The dialog's controls as the core reads and shows them.
class MainDialog::Controls final : public WindowControls {
  public:
    explicit Controls(MainDialog& dialog) : m_dialog(dialog) {}

    std::string text(int id) const override { return windowText(m_dialog.control(id)); }
    void setText(int id, std::string_view text) override {
        // A line break in the status text stays in the one-line field as it
        // is, and reads back unchanged.
        setWindowText(m_dialog.control(id), text);
    }
    bool checked(int id) const override {
        return SendMessageW(m_dialog.control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void setChecked(int id, bool checked) override {
        SendMessageW(m_dialog.control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void refuse(int id, std::string_view message) override {
        m_dialog.messageBoxes().show(m_dialog.window(), message, MessageBoxes::Kind::Validation);
        const HWND field = m_dialog.control(id);
        // The dialog manager's own way to move the focus; it selects the text
        // of an edit it moves to, which the explicit selection makes sure of.
        SendMessageW(m_dialog.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        SendMessageW(field, EM_SETSEL, 0, -1);
    }

  private:
    MainDialog& m_dialog;
};

MainDialog::MainDialog(HINSTANCE instance)
    : m_instance(instance), m_controls(std::make_unique<Controls>(*this)) {
    const DialogResource resource =
        buildDialogResource(kMainDialogTemplate, mainDialogStyle(), mainDialogExStyle());
    // WM_INITDIALOG, which comes before this returns, takes the window over.
    CreateDialogIndirectParamW(instance, resource.get(), nullptr, dialogProc,
                               reinterpret_cast<LPARAM>(this));
}

MainDialog::~MainDialog() {
    // The ranking's worker posts to its window: it ends before the windows go.
    m_ranking.reset();
    m_roster.reset();
    m_window.reset();
}

INT_PTR CALLBACK MainDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<MainDialog*>(lParam)->initialise(window);
        // The dialog manager puts the focus on the first tab stop, batter A's
        // 打数, with its text selected.
        return TRUE;
    }
    auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            self->command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            return self->systemCommand(wParam);
        case WM_TIMER:
            return self->timer(wParam);
        case WM_CLOSE:
            self->close();
            return TRUE;
        case WM_NCDESTROY:
            self->detach();
            return FALSE;
        default:
            return FALSE;
    }
}

void MainDialog::initialise(HWND window) {
    m_window = UniqueWindow(window);
    m_systemChooser = std::make_unique<SystemFileChooser>(window);
    m_log = std::make_unique<LogPane>(control(ids::kLog), window);
    fitStaticTexts(window);
    showModel();
    m_entered.remember(*m_controls);
    addSystemMenuEntries();
    // Loaded shared: the system owns the icons for the process's lifetime.
    const auto icon = [this](int metricX, int metricY) {
        return reinterpret_cast<LPARAM>(LoadImageW(m_instance, MAKEINTRESOURCEW(kProgramIconId),
                                                   IMAGE_ICON, GetSystemMetrics(metricX),
                                                   GetSystemMetrics(metricY), LR_SHARED));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, icon(SM_CXICON, SM_CYICON));
    SendMessageW(window, WM_SETICON, ICON_SMALL, icon(SM_CXSMICON, SM_CYSMICON));
}

bool MainDialog::timer(WPARAM id) {
    if (id != LogPane::kFlushTimer) return false;
    m_log->flush();
    return true;
}

void MainDialog::detach() {
    // The system destroys the window: nothing may reach this object any more.
    SetWindowLongPtrW(m_window.get(), DWLP_USER, 0);
    m_window.release();
}

void MainDialog::addSystemMenuEntries() {
    const HMENU menu = GetSystemMenu(m_window.get(), FALSE);
    if (menu == nullptr) return;
    // The window can be neither sized, minimised nor maximised: like the
    // system's own dialogs it offers only Move and Close of the usual entries,
    // so that no greyed entry shares a key (R) with the ones added here.
    for (const UINT entry : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, entry, MF_BYCOMMAND);
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    // The About entry's text is string 101; with a length of 0 LoadStringW
    // gives the resource's own read-only text, which is not NUL-ended.
    const wchar_t* about = nullptr;
    const int length =
        LoadStringW(m_instance, kAboutMenuTextId, reinterpret_cast<LPWSTR>(&about), 0);
    if (length > 0) {
        const std::wstring text(about, static_cast<std::size_t>(length));
        AppendMenuW(menu, MF_STRING, kAboutCommand, text.c_str());
    }
    AppendMenuW(menu, MF_STRING, kRankingCommand, toWide(kRankingMenuText).c_str());
    AppendMenuW(menu, MF_STRING, kRosterCommand, toWide(kRosterMenuText).c_str());
}

void MainDialog::show() {
    if (m_window) ShowWindow(m_window.get(), SW_SHOWNORMAL);
}

HWND MainDialog::control(int id) const {
    return m_window ? GetDlgItem(m_window.get(), id) : nullptr;
}

void MainDialog::command(int id, int code) {
    switch (id) {
        case IDOK:  // Enter outside a push button and the log pane
            accept();
            return;
        case IDCANCEL:  // Escape
            close();
            return;
        case ids::kLoad:
            if (code == BN_CLICKED) load();
            return;
        case ids::kSave:
            if (code == BN_CLICKED) save();
            return;
        case ids::kSimulate:
            if (code == BN_CLICKED) simulate();
            return;
        default:
            return;
    }
}

bool MainDialog::systemCommand(WPARAM command) {
    switch (command & 0xFFF0) {
        case kAboutCommand:
            showAbout();
            return true;
        case kRankingCommand:
            showRanking();
            return true;
        case kRosterCommand:
            showRoster();
            return true;
        default:
            return false;  // the dialog manager's: move, close and the rest
    }
}

bool MainDialog::readControls() { return diz::readControls(*m_controls, m_model); }

void MainDialog::showModel() {
    diz::showModel(m_model, *m_controls);
    for (const int id : ids::kPatterns) {
        SendMessageW(control(id), EM_LIMITTEXT, kPatternMaxBytes, 0);
    }
    SendMessageW(control(ids::kStatus), EM_LIMITTEXT, kStatusMaxBytes, 0);
}

void MainDialog::clearLog() { m_log->clear(); }

void MainDialog::appendLog(std::string_view text) { m_log->append(text); }

void MainDialog::repaintNow() {
    // The window and every control with something to paint, now: during a
    // run the thread does not get back to its message loop.
    RedrawWindow(m_window.get(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainDialog::reportMessage(std::string_view text) {
    // The status line may hold no more than it can show; every message of
    // the actions is far shorter.
    m_model.statusText = std::string(utf8Prefix(text, kStatusMaxBytes));
    m_log->flush();
    messageBoxes().show(m_window.get(), text, MessageBoxes::Kind::Report);
    showModel();
}

void MainDialog::load() {
    if (!readControls()) return;
    const bool loaded = loadBatterFile(m_model, *this, fileChooser());
    showModel();
    if (loaded) m_entered.remember(*m_controls);
}

void MainDialog::save() {
    if (!readControls()) return;
    const bool saved = saveBatterFile(m_model, *this, fileChooser());
    showModel();
    if (saved) m_entered.remember(*m_controls);
}

void MainDialog::simulate() {
    if (!readControls()) return;
    // The run shows the model itself whenever it reports.
    runSimulation(m_model, *this, fileChooser(), m_files);
    // The controls hold the values the run started from, in their normal form.
    if (m_window) m_entered.remember(*m_controls);
}

void MainDialog::accept() {
    if (readControls()) close();
}

void MainDialog::close() {
    if (m_entered.changedSince(*m_controls) &&
        !messageBoxes().ask(m_window.get(), msg::kConfirmClose)) {
        return;
    }
    m_ranking.reset();
    m_roster.reset();
    m_window.reset();
}

void MainDialog::showAbout() { showAboutBox(m_instance, m_window.get()); }

void MainDialog::showRanking() {
    if (!readControls()) return;
    if (!m_ranking) {
        m_ranking = std::make_unique<RankingWindow>(m_instance, m_window.get());
        m_ranking->setOrderChosen(
            [this](std::string_view order) { setWindowText(control(ids::kPatterns[0]), order); });
        m_ranking->setRosterRequested([this] { showRoster(); });
    }
    m_ranking->setFileChooser(m_chooserSet);
    m_ranking->setMessageBoxes(m_boxesSet);
    m_ranking->setInputs(rankingInputs(m_model, m_files));
    m_ranking->show();
    m_ranking->evaluate();
}

void MainDialog::showRoster() {
    if (!m_roster) {
        m_roster = std::make_unique<RosterWindow>(m_instance, m_window.get());
        m_roster->setRowsSource([this](WindowModel& model) {
            if (!readControls()) return false;
            model = m_model;
            return true;
        });
        m_roster->setLineupChosen([this](int found) {
            if (!readControls()) return;
            const RosterTable& roster = m_roster->roster();
            putLineup(m_model, roster.players(),
                      roster.found().search.best[static_cast<std::size_t>(found)]);
            showModel();
        });
    }
    m_roster->setFileChooser(m_chooserSet);
    m_roster->setMessageBoxes(m_boxesSet);
    m_roster->show();
}

bool MainDialog::translateMessage(MSG& message) {
    if (m_ranking && m_ranking->translateMessage(message)) return true;
    if (m_roster && m_roster->translateMessage(message)) return true;
    return m_window && IsDialogMessageW(m_window.get(), &message);
}

}  // namespace diz::win32
