#include "ui/qt/roster_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <exception>

#include "batch/field_text.h"
#include "batch/messages.h"
#include "batch/resource_failure.h"
#include "batch/window_model.h"
#include "ui/qt/message_boxes.h"

namespace diz {
namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The texts a mark column offers, in the order of PlayerRole or of the slots.
QStringList markChoices(int column) {
    QStringList choices;
    if (column == rosterTable::kRole) {
        for (const std::string_view text : kRoleTexts) choices << qText(text);
    } else {
        for (int slot = 0; slot <= kLineupSize; ++slot) choices << qText(slotText(slot));
    }
    return choices;
}

// While a search runs the players it searches can't be edited: its lineups
// would otherwise be of players the table no longer holds.
constexpr QAbstractItemView::EditTriggers kEditTriggers = QAbstractItemView::DoubleClicked |
                                                          QAbstractItemView::EditKeyPressed |
                                                          QAbstractItemView::AnyKeyPressed;

}  // namespace

// The mark columns are edited with a list of their choices, the player
// columns as text.
class RosterWindow::MarkDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() < kRosterTableColumns) {
            return QStyledItemDelegate::createEditor(parent, option, index);
        }
        auto* box = new QComboBox(parent);
        box->addItems(markChoices(index.column()));
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentIndex(std::max(0, box->findText(index.data().toString())));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

RosterWindow::RosterWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(qText(msg::kRosterTitle));
    resize(980, 640);

    auto* fileRow = new QHBoxLayout;
    auto* importButton = new QPushButton(qText(msg::kRosterImport), this);
    auto* fromRowsButton = new QPushButton(qText(msg::kRosterFromRows), this);
    auto* saveButton = new QPushButton(qText(msg::kRosterExport), this);
    connect(importButton, &QPushButton::clicked, this, &RosterWindow::importRoster);
    connect(fromRowsButton, &QPushButton::clicked, this, &RosterWindow::makeFromRows);
    connect(saveButton, &QPushButton::clicked, this, &RosterWindow::saveRoster);
    fileRow->addWidget(importButton);
    fileRow->addWidget(fromRowsButton);
    fileRow->addWidget(saveButton);
    fileRow->addStretch(1);

    auto* ratesRow = new QHBoxLayout;
    ratesRow->addWidget(new QLabel(qText(msg::kRosterDefaultRates), this));
    for (std::size_t r = 0; r < m_rates.size(); ++r) {
        m_rates[r] = new QLineEdit(qText(formatNumber(kDefaultRunningRates[r])), this);
        m_rates[r]->setMaximumWidth(80);
        ratesRow->addWidget(m_rates[r]);
    }
    ratesRow->addStretch(1);

    m_grid = new QTableWidget(0, rosterTable::kColumnCount, this);
    QStringList headings;
    for (int column = 0; column < rosterTable::kColumnCount; ++column) {
        headings << qText(RosterTable::heading(column));
    }
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->setItemDelegate(new MarkDelegate(m_grid));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(kEditTriggers);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &RosterWindow::sortBy);
    connect(m_grid, &QTableWidget::cellChanged, this, &RosterWindow::cellEdited);

    m_searchButton = new QPushButton(qText(msg::kRosterSearch), this);
    m_cancelButton = new QPushButton(qText(msg::kRankingCancel), this);
    m_cancelButton->setEnabled(false);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    connect(m_searchButton, &QPushButton::clicked, this, &RosterWindow::search);
    connect(m_cancelButton, &QPushButton::clicked, this, &RosterWindow::cancel);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchButton);
    searchRow->addWidget(m_progress, 1);
    searchRow->addWidget(m_cancelButton);

    m_status = new QLabel(qText(msg::kRosterEmpty), this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lineups = new QListWidget(this);
    connect(m_lineups, &QListWidget::itemActivated, this, &RosterWindow::putLineup);
    m_putButton = new QPushButton(qText(msg::kRosterPut), this);
    m_putButton->setEnabled(false);
    connect(m_putButton, &QPushButton::clicked, this, &RosterWindow::putLineup);
    auto* putRow = new QHBoxLayout;
    putRow->addWidget(m_putButton);
    putRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(ratesRow);
    layout->addWidget(m_grid, 3);
    layout->addLayout(searchRow);
    layout->addWidget(m_status);
    layout->addWidget(new QLabel(qText(msg::kRosterLineups), this));
    layout->addWidget(m_lineups, 2);
    layout->addLayout(putRow);

    m_pollTimer.setInterval(100);
    connect(&m_pollTimer, &QTimer::timeout, this, &RosterWindow::poll);
}

RosterWindow::~RosterWindow() = default;

void RosterWindow::closeEvent(QCloseEvent* event) {
    if (m_run) {
        m_run->cancel();
        poll();
    }
    event->accept();
}

void RosterWindow::report(const std::string& text) {
    const QString shown = qText(text);
    m_status->setText(shown);
    messageBoxes().show(this, shown, MessageBoxes::Kind::Report);
}

std::optional<RunningRates> RosterWindow::defaultRates() {
    RunningRates rates{};
    for (std::size_t r = 0; r < m_rates.size(); ++r) {
        const std::optional<double> rate = parseNumber(m_rates[r]->text().toStdString());
        if (!rate || !(*rate >= 0.0 && *rate <= 1.0)) {
            report(std::string(msg::kRosterBadRate) + m_rates[r]->text().toStdString());
            m_rates[r]->setFocus();
            m_rates[r]->selectAll();
            return std::nullopt;
        }
        rates[r] = *rate;
    }
    return rates;
}

bool RosterWindow::importRoster() {
    if (m_run) return false;
    const std::optional<RunningRates> rates = defaultRates();
    if (!rates) return false;
    const auto name = fileChooser().choose(rosterFileRequest(ChooserRequest::Kind::Open));
    if (!name) return false;
    std::string text;
    if (!m_table.load(*name, *rates, text)) {
        report(text);
        return false;
    }
    showTable();
    showFound();
    m_status->setText(qText(text));
    return true;
}

void RosterWindow::makeFromRows() {
    if (m_run || !m_readRows) return;
    WindowModel model;
    if (!m_readRows(model)) return;
    m_table.fromRows(model);
    showTable();
    showFound();
    m_status->setText(qText(msg::rosterLoaded(m_table.size())));
}

bool RosterWindow::saveRoster() {
    if (m_table.size() == 0) {
        report(std::string(msg::kRosterEmpty));
        return false;
    }
    const auto name = fileChooser().choose(rosterFileRequest(ChooserRequest::Kind::Save));
    if (!name) return false;
    const SaveResult saved = m_table.save(*name);
    if (saved != SaveResult::Saved) {
        report(messageWithName(msg::kOutputOpenFailed, *name));
        return false;
    }
    m_status->setText(qText(messageWithName(msg::kRosterSaved, *name)));
    return true;
}

void RosterWindow::showTable() {
    m_filling = true;
    m_grid->setRowCount(static_cast<int>(m_table.size()));
    for (std::size_t row = 0; row < m_table.size(); ++row) {
        for (int column = 0; column < rosterTable::kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(qText(m_table.cell(row, column)));
            if (column > 0 && column < kRosterTableColumns) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            m_grid->setItem(static_cast<int>(row), column, item);
        }
    }
    m_grid->resizeColumnsToContents();
    // The mark columns are as wide as their longest choice, whatever they show.
    const int markWidth = m_grid->fontMetrics().horizontalAdvance(qText(kRoleTexts[2])) +
                          3 * m_grid->font().pointSize();
    m_grid->setColumnWidth(rosterTable::kRole,
                           std::max(m_grid->columnWidth(rosterTable::kRole), markWidth));
    m_filling = false;
}

void RosterWindow::showFound() {
    m_lineups->clear();
    for (const std::string& row : m_table.foundRows()) m_lineups->addItem(qText(row));
    if (m_lineups->count() > 0) m_lineups->setCurrentRow(0);
    m_putButton->setEnabled(m_lineups->count() > 0 && !m_run);
}

void RosterWindow::cellEdited(int viewRow, int column) {
    if (m_filling) return;
    QTableWidgetItem* item = m_grid->item(viewRow, column);
    const std::string text = item->text().toStdString();
    const auto row = static_cast<std::size_t>(viewRow);
    if (column == rosterTable::kRole) {
        int role = 0;
        for (int r = 0; r < 3; ++r) {
            if (kRoleTexts[r] == text) role = r;
        }
        m_table.setRole(row, static_cast<PlayerRole>(role));
    } else if (column == rosterTable::kSlot) {
        m_table.setSlot(row, static_cast<int>(parseInteger(text).value_or(0)));
    } else if (const auto problem = m_table.setCell(row, column, text)) {
        report(*problem);
    }
    // Shows what the table holds now: the text as read back, or as it was.
    m_filling = true;
    item->setText(qText(m_table.cell(row, column)));
    m_filling = false;
    if (m_table.found().search.best.empty()) showFound();
}

void RosterWindow::sortBy(int column) {
    const bool ascending = !(m_table.sortColumn() == column && m_table.ascending());
    m_table.sort(column, ascending);
    m_grid->horizontalHeader()->setSortIndicator(
        column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    showTable();
}

bool RosterWindow::search() {
    if (m_run) return false;
    std::string reason;
    m_run = m_table.startSearch(reason);
    if (!m_run) {
        report(reason);
        return false;
    }
    showFound();
    m_searchButton->setEnabled(false);
    m_cancelButton->setEnabled(true);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_progress->setRange(0, 0);  // busy: the screening decides how much is left
    m_status->setText(qText(m_run->status()));
    m_pollTimer.start();
    return true;
}

void RosterWindow::cancel() {
    if (m_run) m_run->cancel();
}

void RosterWindow::poll() {
    if (!m_run) return;
    m_status->setText(qText(m_run->status()));
    if (!m_run->finished()) return;
    m_pollTimer.stop();
    LineupRun::Result result = m_run->takeResult();
    m_run.reset();
    const std::string message = result.message;
    const bool failed = result.failed;
    m_table.setFound(std::move(result));
    m_progress->setRange(0, 1);
    m_progress->setValue(failed ? 0 : 1);
    m_searchButton->setEnabled(true);
    m_cancelButton->setEnabled(false);
    m_grid->setEditTriggers(kEditTriggers);
    showFound();
    if (failed) {
        report(message);
    } else {
        m_status->setText(qText(message));
    }
    emit searchFinished();
}

void RosterWindow::putLineup() {
    const int current = m_lineups->currentRow();
    if (m_run || current < 0 || current >= static_cast<int>(m_table.found().search.best.size())) {
        return;
    }
    emit lineupChosen(current);
}

}  // namespace diz
