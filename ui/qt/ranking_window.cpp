#include "ui/qt/ranking_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "batch/resource_failure.h"
#include "batch/text_io.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/ranking_charts.h"
#include "ui/qt/ranking_model.h"

namespace diz {
namespace {

// Draws a header's sort mark as batch/ranking.h has it, ▲ for ascending and
// ▼ for descending, whatever the platform's style would draw (QHeaderView
// hands an ascending sort to the style as SortDown, which some styles draw
// pointing down).
class SortMarkStyle final : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
        if (element != PE_IndicatorHeaderArrow || header == nullptr ||
            header->sortIndicator == QStyleOptionHeader::None) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool ascending = header->sortIndicator == QStyleOptionHeader::SortDown;
        const QRectF area = QRectF(option->rect).adjusted(1, 1, -1, -1);
        const qreal side = std::min(area.width(), area.height() * 1.2);
        const qreal height = side * 0.6;
        const QPointF centre = area.center();
        const qreal top = centre.y() - height / 2;
        const qreal bottom = centre.y() + height / 2;
        const qreal left = centre.x() - side / 2;
        const qreal right = centre.x() + side / 2;
        const QPolygonF mark =
            ascending
                ? QPolygonF(
                      {QPointF(centre.x(), top), QPointF(right, bottom), QPointF(left, bottom)})
                : QPolygonF({QPointF(left, top), QPointF(right, top), QPointF(centre.x(), bottom)});
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(option->palette.color(QPalette::ButtonText));
        painter->drawPolygon(mark);
        painter->restore();
    }
};

}  // namespace

// What a run tells the window, from the run's thread: only posted to the
// window's thread, and dropped there when the run is not the window's latest.
// The slow orders show through the run's progress.
class RankingWindow::Notices final : public RunObserver {
  public:
    Notices(RankingWindow& window, unsigned generation)
        : m_window(window), m_generation(generation) {}

    void finished(RunOutcome, std::string_view, std::string_view) override {
        QMetaObject::invokeMethod(
            &m_window,
            [window = &m_window, generation = m_generation] { window->finish(generation); },
            Qt::QueuedConnection);
    }

  private:
    RankingWindow& m_window;
    unsigned m_generation;
};

RankingWindow::RankingWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_model(new RankingModel(this)) {
    setWindowTitle(QString::fromUtf8(msg::kRankingTitle));
    resize(1100, 720);

    // The selection, evaluated again whenever it changes.
    auto* selectionRow = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    // In the order of OrderSource.
    const std::string_view captions[3] = {msg::kRankingEveryOrdering,
                                          msg::kRankingAcceptedOrderings, msg::kRankingOrderFile};
    for (int i = 0; i < 3; ++i) {
        m_selectionButtons[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        group->addButton(m_selectionButtons[i], i);
        selectionRow->addWidget(m_selectionButtons[i]);
    }
    m_selectionButtons[0]->setChecked(true);
    m_selectionGroup = group;
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) evaluate();
    });
    // How sure the best is: the seasons to resample, beside the selections.
    m_replicates = new QSpinBox(this);
    m_replicates->setRange(0, static_cast<int>(resampling::kReplicatesMax));
    m_replicates->setValue(static_cast<int>(ranking::kDefaultReplicates));
    auto* replicatesLabel = new QLabel(QString::fromUtf8(msg::kRankingReplicates), this);
    replicatesLabel->setBuddy(m_replicates);
    connect(m_replicates, &QSpinBox::editingFinished, this, [this] {
        // Leaving the field as the window closes enters nothing.
        if (isVisible() && m_replicates->value() != m_startedReplicates) evaluate();
    });
    selectionRow->addSpacing(16);
    selectionRow->addWidget(replicatesLabel);
    selectionRow->addWidget(m_replicates);
    selectionRow->addWidget(new QLabel(QString::fromUtf8(msg::kRankingReplicatesUnit), this));
    selectionRow->addStretch(1);

    m_progress = new QProgressBar(this);
    m_progress->setFormat(QStringLiteral("%v / %m"));
    m_cancelButton = new QPushButton(QString::fromUtf8(msg::kRankingCancel), this);
    m_cancelButton->setEnabled(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &RankingWindow::cancel);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancelButton);

    m_status = new QLabel(this);
    m_summary = new QLabel(this);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // One font for the whole summary, Japanese and figures alike: with the
    // window's Latin font, the figures that follow Japanese text would be
    // drawn in the fallback font and the others not.
    QFont summaryFont = m_summary->font();
    summaryFont.setFamilies(
        {QString::fromUtf8(kDialogFontFace), QString::fromUtf8(kDialogFallbackFontFace)});
    m_summary->setFont(summaryFont);
    m_inningColumns = new QCheckBox(QString::fromUtf8(msg::kRankingInningColumns), this);
    connect(m_inningColumns, &QCheckBox::toggled, this, &RankingWindow::showInningColumns);
    m_orderNames = new QLabel(this);
    m_orderNames->setFont(summaryFont);

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
    auto* sortMarks = new SortMarkStyle;
    sortMarks->setParent(header);
    header->setStyle(sortMarks);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("0.0000000")) +
                                  16);
    header->resizeSection(ranking::kOrder,
                          fontMetrics().horizontalAdvance(QStringLiteral("abcdefghi")) + 16);
    header->setSortIndicator(ranking::kMeanRuns, Qt::DescendingOrder);
    // The resampled columns come after the standard deviation, before the
    // innings, and show only once the ranking has been resampled.
    header->moveSection(header->visualIndex(ranking::kBestShare), ranking::kFirstInningRuns);
    header->moveSection(header->visualIndex(ranking::kGapRange), ranking::kFirstInningRuns + 1);
    header->resizeSection(
        ranking::kGapRange,
        fontMetrics().horizontalAdvance(QStringLiteral("-0.0000 〜 -0.0000")) + 16);
    m_table->setSortingEnabled(true);
    showInningColumns(false);
    showResampledColumns(false);
    connect(m_table, &QTableView::doubleClicked, this, &RankingWindow::sendToPatterns);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid() || m_model->rowCount() == 0) return;
                const std::uint32_t row = m_model->rowAt(current.row());
                m_charts->showSelected(m_model->rows(), m_model->bestRow(), row);
                m_orderNames->setText(
                    QString::fromUtf8(selectedOrderNames(m_model->rows().order(row), m_inputs)));
            });

    m_charts = new RankingCharts(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_charts);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    m_saveButton = new QPushButton(QString::fromUtf8(msg::kRankingSaveCsv), this);
    m_patternButton = new QPushButton(QString::fromUtf8(msg::kRankingToPattern), this);
    auto* closeButton = new QPushButton(QString::fromUtf8(msg::kRankingClose), this);
    connect(m_saveButton, &QPushButton::clicked, this, &RankingWindow::saveCsv);
    connect(m_patternButton, &QPushButton::clicked, this, &RankingWindow::sendToPatterns);
    auto* rosterButton = new QPushButton(QString::fromUtf8(msg::kRankingRoster), this);
    connect(rosterButton, &QPushButton::clicked, this, &RankingWindow::rosterRequested);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, &RankingWindow::saveCsv);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_saveButton);
    buttonRow->addWidget(m_patternButton);
    buttonRow->addWidget(rosterButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selectionRow);
    layout->addLayout(progressRow);
    layout->addWidget(m_status);
    layout->addWidget(m_summary);
    auto* inningRow = new QHBoxLayout;
    inningRow->addWidget(m_inningColumns);
    inningRow->addSpacing(16);
    inningRow->addWidget(m_orderNames, 1);
    layout->addLayout(inningRow);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttonRow);

    // The worker only counts; the window looks at the count a few times a
    // second rather than being sent every step.
    m_progressTimer.setInterval(50);
    connect(&m_progressTimer, &QTimer::timeout, this, &RankingWindow::showProgress);
}

RankingWindow::~RankingWindow() {
    // The seasons' field, destroyed with the widgets after this window's own
    // part, may still say it finished editing as it loses the focus.
    disconnect(m_replicates, nullptr, this, nullptr);
    // The run's thread posts to this window: it must end while the window is whole.
    stopRun();
}

OrderSource RankingWindow::selection() const {
    if (m_selectionButtons[1]->isChecked()) return OrderSource::AcceptedOrderings;
    if (m_selectionButtons[2]->isChecked()) return OrderSource::OrderFile;
    return OrderSource::EveryOrdering;
}

void RankingWindow::setSelection(OrderSource selection) {
    m_selectionButtons[static_cast<int>(selection)]->setChecked(true);
}

void RankingWindow::evaluate() {
    if (m_run) {
        // The running evaluation can't be dropped mid-way without waiting for
        // it; let it stop on its own and start again when it reports. Until
        // then nothing of it shows: the window is starting anew.
        m_run->cancel();
        m_restart = true;
        showProgress();
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
    const OrderSource source = selection();
    const OrderSelection orders = rankingSelection(source, m_inputs);
    const unsigned generation = ++m_generation;
    auto notices = std::make_unique<Notices>(*this, generation);
    std::string failure;
    // The table is given up only once the new orders could be opened.
    const auto spent = [this] {
        m_charts->clear();
        m_summary->clear();
        m_orderNames->clear();
        m_saveButton->setEnabled(false);
        m_patternButton->setEnabled(false);
        return m_model->takeRows();
    };
    m_replicates->interpretText();
    const auto replicates = static_cast<std::uint32_t>(m_replicates->value());
    std::unique_ptr<RankingRun> run = RankingRun::start(
        orders, m_inputs.records, {m_inputs.batters, replicates}, *notices, spent, failure);
    if (!run) {
        // The table still shows the orders it showed; so does the selection.
        setSelectionQuietly(m_shownSelection);
        m_status->setText(QString::fromUtf8(failure));
        m_progress->reset();
        messageBoxes().show(this, QString::fromUtf8(failure), MessageBoxes::Kind::Report);
        emit evaluationFinished(false);
        return;
    }
    m_shownSelection = source;
    m_startedReplicates = static_cast<int>(replicates);
    m_notices = std::move(notices);
    m_run = std::move(run);
    showProgress();
    m_cancelButton->setEnabled(true);
    m_progressTimer.start();
}

void RankingWindow::finish(unsigned generation) {
    if (generation != m_generation || !m_run) return;  // a run that was stopped and waited for
    m_run->wait();
    std::optional<RankingRun::Result> ranking;
    if (m_run->rankingReady()) ranking = m_run->takeRanking();
    RankingRun::Result result = m_run->takeResult();
    stopRun();
    if (m_restart) {
        m_restart = false;
        start();
        return;
    }
    if (result.outcome != RunOutcome::NormalEnd) {
        m_status->setText(QString::fromUtf8(result.message));
        m_progress->reset();
        if (result.outcome == RunOutcome::Failed) {
            messageBoxes().show(this, QString::fromUtf8(result.message),
                                MessageBoxes::Kind::Report);
        }
        emit evaluationFinished(false);
        return;
    }
    // Without resampling the ranking comes with the end, and is shown as it
    // stays.
    if (ranking) showRanking(*ranking);
    if (result.rows.size() > 0) showRanking(result);
    const auto count = static_cast<int>(m_model->rowCount());
    m_progress->setRange(0, count);
    m_progress->setValue(count);
    m_status->setText(QString::fromUtf8(result.message));
    if (result.resampled.replicates == 0) {
        emit evaluationFinished(true);
        return;
    }

    // The order the user is looking at stays current through the new sort.
    const std::uint32_t current = currentRow();
    m_model->setResampled(std::move(result.resampled));
    showResampledColumns(m_model->table().resampled());
    if (count > 0) {
        // A resampled column's sort goes with its column.
        QHeaderView* header = m_table->horizontalHeader();
        if (!m_model->table().resampled() &&
            header->sortIndicatorSection() >= ranking::kColumnCount) {
            header->setSortIndicator(ranking::kMeanRuns, Qt::DescendingOrder);
        }
        m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
        m_charts->showBestRange(m_model->table().bestRange());
        selectRow(current);
    }
    m_summary->setText(QString::fromUtf8(m_model->table().summary()));
    emit evaluationFinished(true);
}

std::uint32_t RankingWindow::currentRow() const {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || m_model->rowCount() == 0) return 0;
    return m_model->rowAt(current.row());
}

void RankingWindow::selectRow(std::uint32_t row) {
    if (m_model->rowCount() == 0) return;
    const std::vector<std::uint32_t> places = m_model->table().viewPlaces();
    m_table->setCurrentIndex(m_model->index(static_cast<int>(places[row]), ranking::kOrder));
}

void RankingWindow::showRanking(RankingRun::Result& ranking) {
    m_model->setRows(std::move(ranking.rows), std::move(ranking.bestFirst),
                     std::move(ranking.ranks));
    showResampledColumns(false);
    m_status->setText(QString::fromUtf8(ranking.message));
    if (m_model->rowCount() > 0) {
        // Keep the column the user sorted by; a new table starts best first.
        QHeaderView* header = m_table->horizontalHeader();
        if (header->sortIndicatorSection() >= ranking::kColumnCount) {
            header->setSortIndicator(ranking::kMeanRuns, Qt::DescendingOrder);
        }
        m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
        m_charts->showRows(m_model->rows(), m_model->bestRow(), ranking.histogram);
        m_table->setCurrentIndex(m_model->index(0, ranking::kOrder));
        m_saveButton->setEnabled(true);
        m_patternButton->setEnabled(true);
    }
    m_summary->setText(QString::fromUtf8(m_model->table().summary()));
}

void RankingWindow::cancel() {
    if (m_startPending) {
        m_startPending = false;
        m_status->setText(QString::fromUtf8(msg::kRankingCancelled));
        emit evaluationFinished(false);
        return;
    }
    if (!m_run) return;
    m_restart = false;
    m_run->cancel();
    m_cancelButton->setEnabled(false);
    showProgress();
}

void RankingWindow::stopRun() {
    m_progressTimer.stop();
    m_cancelButton->setEnabled(false);
    m_run.reset();  // cancels (when still running) and joins
    m_notices.reset();
}

void RankingWindow::showProgress() {
    if (!m_run) return;
    // The ranking shows while its orders are resampled.
    if (!m_restart && m_run->rankingReady()) {
        RankingRun::Result ranking = m_run->takeRanking();
        showRanking(ranking);
    }
    // One reading gives the status and the bar, so that they always agree.
    const RankingProgress progress = m_restart ? kRankingStarting : m_run->progress();
    m_status->setText(QString::fromUtf8(progress.status));
    m_progress->setRange(0, static_cast<int>(progress.maximum));
    m_progress->setValue(static_cast<int>(progress.value));
}

void RankingWindow::setSelectionQuietly(OrderSource selection) {
    const QSignalBlocker blocker(m_selectionGroup);
    m_selectionButtons[static_cast<int>(selection)]->setChecked(true);
}

void RankingWindow::showInningColumns(bool shown) {
    for (int column = ranking::kFirstInningRuns; column < ranking::kColumnCount; ++column) {
        m_table->setColumnHidden(column, !shown);
    }
}

void RankingWindow::showResampledColumns(bool shown) {
    m_table->setColumnHidden(ranking::kBestShare, !shown);
    m_table->setColumnHidden(ranking::kGapRange, !shown);
}

bool RankingWindow::saveCsv() {
    if (m_run || m_model->rowCount() == 0) return false;
    const std::optional<std::string> name = fileChooser().choose(rankingCsvRequest());
    if (!name) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string message;
    SaveResult saved = SaveResult::NotWritten;
    try {
        saved = m_model->table().saveCsv(utf8Path(*name));
        message = csvSaveMessage(saved, *name);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        const auto failure = resourceFailure(std::current_exception());
        if (!failure) throw;
        message = *failure;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QApplication::restoreOverrideCursor();
    const QString text = QString::fromUtf8(message);
    m_status->setText(text);
    if (saved != SaveResult::Saved) {
        messageBoxes().show(this, text, MessageBoxes::Kind::Report);
        return false;
    }
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
