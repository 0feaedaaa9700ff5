#include "ui/ranking_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "batch/messages.h"
#include "batch/text_io.h"
#include "ui/message_boxes.h"
#include "ui/ranking_charts.h"
#include "ui/ranking_model.h"

namespace diz {
namespace {

// A season's games, for the summary's gap over a season.
constexpr int kSeasonGames = 143;

QString fixed(double value, int decimals) {
    return QString::fromStdString(formatFixed(value, decimals));
}

}  // namespace

RankingWindow::RankingWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_model(new RankingModel(this)) {
    setWindowTitle(QStringLiteral("打順ランキング"));
    resize(1100, 720);

    // The selection, evaluated again whenever it changes.
    auto* selectionRow = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const QString captions[3] = {QStringLiteral("全打順"), QStringLiteral("打線指定に合う打順"),
                                 QStringLiteral("order.dat の打順")};
    for (int i = 0; i < 3; ++i) {
        m_selectionButtons[i] = new QRadioButton(captions[i], this);
        group->addButton(m_selectionButtons[i], i);
        selectionRow->addWidget(m_selectionButtons[i]);
    }
    m_selectionButtons[0]->setChecked(true);
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) evaluate();
    });
    selectionRow->addStretch(1);

    m_progress = new QProgressBar(this);
    m_progress->setFormat(QStringLiteral("%v / %m"));
    m_cancelButton = new QPushButton(QStringLiteral("中止"), this);
    m_cancelButton->setEnabled(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &RankingWindow::cancel);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancelButton);

    m_status = new QLabel(this);
    m_summary = new QLabel(this);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_inningColumns = new QCheckBox(QStringLiteral("イニング別を表示"), this);
    connect(m_inningColumns, &QCheckBox::toggled, this, &RankingWindow::showInningColumns);

    // The table: hundreds of thousands of rows, so every row has the same
    // fixed height and no column is sized to its contents.
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table for the buttons; the arrow keys move within it.
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("0.0000000")) +
                                  16);
    header->resizeSection(ranking::kOrder,
                          fontMetrics().horizontalAdvance(QStringLiteral("abcdefghi")) + 16);
    header->setSortIndicator(ranking::kMeanRuns, Qt::DescendingOrder);
    m_table->setSortingEnabled(true);
    showInningColumns(false);
    connect(m_table, &QTableView::doubleClicked, this, &RankingWindow::sendToPatterns);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid() || m_model->rowCount() == 0) return;
                m_charts->showSelected(m_model->rows(), m_model->bestRow(),
                                       m_model->rowAt(current.row()));
            });

    m_charts = new RankingCharts(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_charts);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    m_saveButton = new QPushButton(QStringLiteral("CSV保存(&S)..."), this);
    m_patternButton = new QPushButton(QStringLiteral("打線指定へ(&P)"), this);
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    connect(m_saveButton, &QPushButton::clicked, this, &RankingWindow::saveCsv);
    connect(m_patternButton, &QPushButton::clicked, this, &RankingWindow::sendToPatterns);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, &RankingWindow::saveCsv);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_saveButton);
    buttonRow->addWidget(m_patternButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selectionRow);
    layout->addLayout(progressRow);
    layout->addWidget(m_status);
    layout->addWidget(m_summary);
    layout->addWidget(m_inningColumns);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttonRow);

    // The worker only counts; the window looks at the count a few times a
    // second rather than being sent every step.
    m_progressTimer.setInterval(50);
    connect(&m_progressTimer, &QTimer::timeout, this, &RankingWindow::showProgress);
}

RankingWindow::~RankingWindow() {
    // The run's thread posts to this window: it must end while the window is whole.
    stopRun();
}

RankingSelection RankingWindow::selection() const {
    if (m_selectionButtons[1]->isChecked()) return RankingSelection::PatternOrderings;
    if (m_selectionButtons[2]->isChecked()) return RankingSelection::OrderFile;
    return RankingSelection::AllOrderings;
}

void RankingWindow::setSelection(RankingSelection selection) {
    m_selectionButtons[static_cast<int>(selection)]->setChecked(true);
}

void RankingWindow::evaluate() {
    if (m_run) {
        // The running evaluation can't be dropped mid-way without waiting for
        // it; let it stop on its own and start again when it reports.
        m_run->cancel();
        m_restart = true;
        return;
    }
    if (m_startPending) return;
    m_startPending = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_startPending) return;  // cancelled or closed meanwhile
        m_startPending = false;
        start();
    });
}

void RankingWindow::start() {
    RankingRows spent = m_model->takeRows();
    m_charts->clear();
    m_summary->clear();
    m_saveButton->setEnabled(false);
    m_patternButton->setEnabled(false);

    OrderSelection orderSelection;
    orderSelection.patterns = m_inputs.patterns;
    switch (selection()) {
        case RankingSelection::AllOrderings:
            orderSelection.everyOrdering = true;
            orderSelection.rotationsTogether = true;
            break;
        case RankingSelection::PatternOrderings:
            orderSelection.everyOrdering = true;
            orderSelection.filterOrderings = true;
            orderSelection.rotationsTogether = true;
            break;
        case RankingSelection::OrderFile:
            orderSelection.orderFile = m_inputs.orderFile;
            break;
    }
    auto orders = std::make_unique<SelectedOrders>();
    if (!orders->open(orderSelection)) {
        const std::string message = messageWithName(msg::kOrderOpenFailed, m_inputs.orderFile);
        m_status->setText(QString::fromUtf8(message));
        m_progress->reset();
        messageBoxes().show(this, QString::fromUtf8(message), MessageBoxes::Kind::Report);
        emit evaluationFinished(false);
        return;
    }

    const unsigned generation = ++m_generation;
    m_status->setText(QStringLiteral("評価中..."));
    m_progress->setRange(0, 0);  // busy until the orders are counted
    m_cancelButton->setEnabled(true);
    m_progressTimer.start();
    // Both callbacks run on the run's thread and only post to this window.
    m_run = std::make_unique<RankingRun>(
        std::move(orders), orderSelection, m_inputs.records,
        [this, generation](RankingRun::Outcome outcome) {
            auto handed = std::make_shared<RankingRun::Outcome>(std::move(outcome));
            QMetaObject::invokeMethod(
                this, [this, generation, handed] { finish(generation, std::move(*handed)); },
                Qt::QueuedConnection);
        },
        [this] {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_status->setText(
                        QStringLiteral("評価中...（凡退しにくい打者がいるため時間がかかります）"));
                },
                Qt::QueuedConnection);
        },
        std::move(spent));
}

void RankingWindow::finish(unsigned generation, RankingRun::Outcome outcome) {
    if (generation != m_generation) return;  // a run that was stopped and waited for
    stopRun();
    if (m_restart) {
        m_restart = false;
        start();
        return;
    }
    if (!outcome.completed) {
        m_status->setText(QStringLiteral("中止しました"));
        m_progress->reset();
        emit evaluationFinished(false);
        return;
    }

    const std::size_t count = outcome.rows.size();
    m_model->setRows(std::move(outcome.rows), std::move(outcome.bestFirst));
    m_progress->setRange(0, static_cast<int>(count));
    m_progress->setValue(static_cast<int>(count));
    m_status->setText(QStringLiteral("%1 打順を評価しました").arg(count));
    if (count > 0) {
        // Keep the column the user sorted by; a new table starts best first.
        const QHeaderView* header = m_table->horizontalHeader();
        m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
        m_charts->showRows(m_model->rows(), m_model->bestRow(), outcome.histogram);
        m_table->setCurrentIndex(m_model->index(0, ranking::kOrder));
        m_saveButton->setEnabled(true);
        m_patternButton->setEnabled(true);
    }
    showSummary();
    emit evaluationFinished(true);
}

void RankingWindow::cancel() {
    if (m_startPending) {
        m_startPending = false;
        m_status->setText(QStringLiteral("中止しました"));
        emit evaluationFinished(false);
        return;
    }
    if (!m_run) return;
    m_restart = false;
    m_run->cancel();
    m_cancelButton->setEnabled(false);
    m_status->setText(QStringLiteral("中止しています..."));
}

void RankingWindow::stopRun() {
    m_progressTimer.stop();
    m_cancelButton->setEnabled(false);
    m_run.reset();  // cancels (when still running) and joins
}

void RankingWindow::showProgress() {
    if (!m_run) return;
    const std::size_t total = m_run->ordersTotal();
    if (total == 0) return;
    m_progress->setRange(0, static_cast<int>(total));
    m_progress->setValue(static_cast<int>(std::min(m_run->ordersDone(), total)));
}

void RankingWindow::showSummary() {
    if (m_model->rowCount() == 0) {
        m_summary->clear();
        return;
    }
    const RankingRows& rows = m_model->rows();
    const std::uint32_t best = m_model->bestRow();
    const std::uint32_t worst = m_model->worstRow();
    const double gap = rows.figures[best].meanRuns - rows.figures[worst].meanRuns;
    const auto order = [&rows](std::uint32_t row) {
        return QString::fromLatin1(rows.order(row).data(), kLineupSize);
    };
    m_summary->setText(
        QStringLiteral("最良 %1 %2 点　最悪 %3 %4 点　差 %5 点/試合（%6 試合で %7 点）")
            .arg(order(best), fixed(rows.figures[best].meanRuns, 6), order(worst),
                 fixed(rows.figures[worst].meanRuns, 6), fixed(gap, 6))
            .arg(kSeasonGames)
            .arg(fixed(gap * kSeasonGames, 2)));
}

void RankingWindow::showInningColumns(bool shown) {
    for (int column = ranking::kFirstInningRuns; column < ranking::kColumnCount; ++column) {
        m_table->setColumnHidden(column, !shown);
    }
}

bool RankingWindow::saveCsv() {
    if (m_run || m_model->rowCount() == 0) return false;
    ChooserRequest request;
    request.kind = ChooserRequest::Kind::Save;
    request.initialName = "ranking.csv";
    request.defaultExtension = "csv";
    request.overwritePrompt = true;
    request.createPrompt = true;
    const std::optional<std::string> name = fileChooser().choose(request);
    if (!name) return false;
    const auto fail = [this, &name](std::string_view message) {
        const QString text = QString::fromUtf8(messageWithName(message, *name));
        m_status->setText(text);
        messageBoxes().show(this, text, MessageBoxes::Kind::Report);
        return false;
    };

    // QSaveFile writes beside the target and renames over it on commit, so
    // an existing file is replaced whole or not at all.
    QSaveFile file(QString::fromUtf8(*name));
    if (!file.open(QIODevice::WriteOnly)) return fail(msg::kOutputOpenFailed);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string text = "\xEF\xBB\xBF";
    m_model->appendCsvLine(text, -1);
    bool written = true;
    const int rows = m_model->rowCount();
    for (int row = 0; row < rows && written; ++row) {
        m_model->appendCsvLine(text, row);
        if (text.size() >= (1 << 20) || row + 1 == rows) {
            written = file.write(text.data(), static_cast<qint64>(text.size())) ==
                      static_cast<qint64>(text.size());
            text.clear();
        }
    }
    written = written && file.commit();
    QApplication::restoreOverrideCursor();
    if (!written) return fail(msg::kOutputWriteFailed);
    m_status->setText(QStringLiteral("CSVを保存しました：%1").arg(QString::fromUtf8(*name)));
    return true;
}

void RankingWindow::sendToPatterns() {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || m_model->rowCount() == 0) return;
    const std::string_view order = m_model->rows().order(m_model->rowAt(current.row()));
    emit orderChosen(QString::fromLatin1(order.data(), static_cast<qsizetype>(order.size())));
}

void RankingWindow::closeEvent(QCloseEvent* event) {
    ++m_generation;
    m_restart = false;
    m_startPending = false;
    stopRun();
    m_status->clear();
    m_progress->reset();
    m_model->clear();
    m_charts->clear();
    m_summary->clear();
    QWidget::closeEvent(event);
}

}  // namespace diz
