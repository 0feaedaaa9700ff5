#include "ui/qt/main_dialog.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

#include "batch/batter_fields.h"
#include "batch/batter_file.h"
#include "batch/dialogs.h"
#include "batch/lineup_run.h"
#include "batch/messages.h"
#include "batch/ranking_inputs.h"
#include "batch/simulation.h"
#include "batch/text_io.h"
#include "batch/window_controls.h"
#include "diz/lineup.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/log_pane.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/ranking_window.h"
#include "ui/qt/roster_window.h"
#include "ui/qt/utf8_validator.h"

namespace diz {

// The dialog's controls as the core reads and shows them.
class MainDialog::Controls final : public WindowControls {
  public:
    explicit Controls(MainDialog& dialog) : m_dialog(dialog) {}

    std::string text(int id) const override { return edit(id).text().toStdString(); }
    void setText(int id, std::string_view text) override {
        // A line break in the status text shows as a blank in the one-line
        // field and reads back unchanged.
        QLineEdit& field = edit(id);
        field.setText(QString::fromUtf8(text));
        // The narrow status line shows the start of a long text, and all of
        // it when the pointer rests on it.
        if (id == ids::kStatus) {
            field.setCursorPosition(0);
            field.setToolTip(field.text());
        }
    }
    bool checked(int id) const override { return box(id).isChecked(); }
    void setChecked(int id, bool checked) override { box(id).setChecked(checked); }
    void refuse(int id, std::string_view message) override {
        m_dialog.messageBoxes().show(&m_dialog, QString::fromUtf8(message),
                                     MessageBoxes::Kind::Validation);
        QLineEdit& field = edit(id);
        field.setFocus(Qt::OtherFocusReason);
        field.selectAll();
    }

  private:
    QLineEdit& edit(int id) const { return *static_cast<QLineEdit*>(m_dialog.control(id)); }
    QCheckBox& box(int id) const { return *static_cast<QCheckBox*>(m_dialog.control(id)); }

    MainDialog& m_dialog;
};

MainDialog::MainDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    m_controls = buildDialog(*this, kMainDialogTemplate);
    m_access = std::make_unique<Controls>(*this);
    setWindowIcon(programIcon());
    setFieldLimits();
    showModel();
    m_entered.remember(*m_access);
    setUpSystemMenu();
    connectActions();
    control(ids::kGrid[0][0])->setFocus();
}

void MainDialog::connectActions() {
    const auto button = [this](int id) { return static_cast<QPushButton*>(control(id)); };
    connect(button(ids::kLoad), &QPushButton::clicked, this, &MainDialog::load);
    connect(button(ids::kSave), &QPushButton::clicked, this, &MainDialog::save);
    connect(button(ids::kSimulate), &QPushButton::clicked, this, &MainDialog::simulate);
}

void MainDialog::load() {
    if (!readControls()) return;
    const bool loaded = loadBatterFile(m_model, *this, fileChooser());
    showModel();
    if (loaded) m_entered.remember(*m_access);
}

void MainDialog::save() {
    if (!readControls()) return;
    const bool saved = saveBatterFile(m_model, *this, fileChooser());
    showModel();
    if (saved) m_entered.remember(*m_access);
}

void MainDialog::simulate() {
    if (!readControls()) return;
    // The run shows the model itself whenever it reports; the fields then
    // hold the values it started from, in their normal form.
    runSimulation(m_model, *this, fileChooser(), m_files);
    showModel();
    m_entered.remember(*m_access);
}

MainDialog::~MainDialog() = default;

QWidget* MainDialog::control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

LogPane* MainDialog::logPane() const { return static_cast<LogPane*>(control(ids::kLog)); }

void MainDialog::setFieldLimits() {
    for (int id : ids::kPatterns) {
        auto* field = static_cast<QLineEdit*>(control(id));
        field->setValidator(new Utf8LengthValidator(kPatternMaxBytes, field));
    }
    auto* status = static_cast<QLineEdit*>(control(ids::kStatus));
    status->setValidator(new Utf8LengthValidator(kStatusMaxBytes, status));
}

bool MainDialog::readControls() { return diz::readControls(*m_access, m_model); }

void MainDialog::showModel() { diz::showModel(m_model, *m_access); }

void MainDialog::clearLog() { logPane()->clearText(); }

void MainDialog::appendLog(std::string_view text) {
    logPane()->appendText(QString::fromUtf8(text));
}

void MainDialog::repaintNow() { repaint(); }

void MainDialog::reportMessage(std::string_view text) {
    // The status line may hold no more than it can show; every message of
    // the actions is far shorter.
    m_model.statusText = std::string(utf8Prefix(text, kStatusMaxBytes));
    messageBoxes().show(this, QString::fromUtf8(text), MessageBoxes::Kind::Report);
    showModel();
}

void MainDialog::accept() {
    if (readControls()) QDialog::accept();
}

void MainDialog::done(int result) {
    if (m_entered.changedSince(*m_access) &&
        !messageBoxes().ask(this, QString::fromUtf8(msg::kConfirmClose))) {
        return;
    }
    QDialog::done(result);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (enter && plain) {
        // The log pane swallows Enter itself; a button here has the focus.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::setUpSystemMenu() {
    // On this platform the title bar's menu belongs to the window manager, so
    // the window offers its own: Close, then after a separator the About
    // entry and the ranking window's.
    m_systemMenu = new QMenu(this);
    QAction* closeAction = m_systemMenu->addAction(QStringLiteral("閉じる(&C)"));
    connect(closeAction, &QAction::triggered, this, &MainDialog::reject);
    m_systemMenu->addSeparator();
    QAction* aboutAction = m_systemMenu->addAction(QString::fromUtf8(kAboutMenuText));
    connect(aboutAction, &QAction::triggered, this, &MainDialog::showAbout);
    QAction* rankingAction = m_systemMenu->addAction(QString::fromUtf8(kRankingMenuText));
    connect(rankingAction, &QAction::triggered, this, &MainDialog::showRanking);
    QAction* rosterAction = m_systemMenu->addAction(QString::fromUtf8(kRosterMenuText));
    connect(rosterAction, &QAction::triggered, this, &MainDialog::showRoster);
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(shortcut, &QShortcut::activated, this,
            [this] { m_systemMenu->exec(mapToGlobal(QPoint(0, 0))); });
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
    m_systemMenu->exec(event->globalPos());
}

void MainDialog::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainDialog::showRanking() {
    if (!readControls()) return;
    if (!m_ranking) {
        // A child window, so that this dialog's modal loop lets it take input.
        m_ranking = new RankingWindow(this);
        connect(m_ranking, &RankingWindow::rosterRequested, this, &MainDialog::showRoster);
        connect(m_ranking, &RankingWindow::orderChosen, this, [this](const QString& order) {
            static_cast<QLineEdit*>(control(ids::kPatterns[0]))->setText(order);
        });
    }
    m_ranking->setFileChooser(m_services.fileChooserSet());
    m_ranking->setMessageBoxes(m_services.messageBoxesSet());
    m_ranking->setInputs(rankingInputs(m_model, m_files));
    m_ranking->show();
    m_ranking->raise();
    m_ranking->activateWindow();
    m_ranking->evaluate();
}

void MainDialog::showRoster() {
    if (!m_roster) {
        m_roster = new RosterWindow(this);
        m_roster->setRowsSource([this](WindowModel& model) {
            if (!readControls()) return false;
            model = m_model;
            return true;
        });
        connect(m_roster, &RosterWindow::lineupChosen, this, [this](int found) {
            if (!readControls()) return;
            const RosterTable& roster = m_roster->roster();
            putLineup(m_model, roster.players(),
                      roster.found().search.best[static_cast<std::size_t>(found)]);
            showModel();
        });
    }
    m_roster->setFileChooser(m_services.fileChooserSet());
    m_roster->setMessageBoxes(m_services.messageBoxesSet());
    m_roster->show();
    m_roster->raise();
    m_roster->activateWindow();
}

}  // namespace diz
