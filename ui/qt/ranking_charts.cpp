#include "ui/qt/ranking_charts.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "batch/messages.h"
#include "batch/ranking.h"

namespace diz {
namespace {
// The best order and the selected one have one colour each in both charts,
// and a pattern of their own besides (see batch/ranking.h).
const QColor kBest = QColor::fromRgb(ranking::kBestColour);
const QColor kSelected = QColor::fromRgb(ranking::kSelectedColour);
const QColor kSpread = QColor::fromRgb(ranking::kSpreadColour);

QString text(std::string_view utf8) { return QString::fromUtf8(utf8); }

QString orderLabel(std::string_view what, const RankingRows& rows, std::uint32_t row) {
    return QStringLiteral("%1 %2").arg(text(what),
                                       QString::fromLatin1(rows.order(row).data(), kLineupSize));
}

QValueAxis* valueAxis(const QString& title, const QString& format) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(format);
    return axis;
}

QChartView* chartView(QWidget* parent, const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 220);
    return view;
}

void attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

}  // namespace

RankingCharts::RankingCharts(QWidget* parent)
    : QWidget(parent),
      m_histogramView(chartView(this, text(msg::kChartSpread))),
      m_inningsView(chartView(this, text(msg::kChartInnings))),
      // An area series does not own its line; this widget does.
      m_outline(new QLineSeries(this)),
      m_bestMark(new QLineSeries),
      m_selectedMark(new QLineSeries),
      m_bestRange(new QLineSeries),
      m_runsAxis(valueAxis(text(msg::kChartRunsAxis), QStringLiteral("%.3f"))),
      m_countAxis(valueAxis(text(msg::kChartOrdersAxis), QStringLiteral("%d"))),
      m_selectedInnings(new QBarSet(text(msg::kChartSelected))),
      m_bestInnings(new QBarSet(text(msg::kChartBest))),
      m_inningRunsAxis(valueAxis(text(msg::kChartInningRunsAxis), QStringLiteral("%.2f"))) {
    // The histogram: the outline of the bars as steps, filled down to the
    // axis, and a vertical line at the best and at the selected order.
    QChart& spread = *histogram();
    spread.addAxis(m_runsAxis, Qt::AlignBottom);
    spread.addAxis(m_countAxis, Qt::AlignLeft);
    auto* area = new QAreaSeries(m_outline);
    area->setName(text(msg::kChartOrdersAxis));
    area->setColor(kSpread);
    area->setBorderColor(kSpread.darker(130));
    attach(spread, area, m_runsAxis, m_countAxis);
    m_bestMark->setPen(QPen(kBest, 3));
    m_selectedMark->setPen(QPen(kSelected, 3, Qt::DashLine));
    attach(spread, m_bestMark, m_runsAxis, m_countAxis);
    attach(spread, m_selectedMark, m_runsAxis, m_countAxis);
    // The best order's range: a bracket in its colour, thinner than its mark.
    m_bestRange->setPen(QPen(kBest, 2));
    m_bestRange->setName(text(msg::kChartBestRange));
    attach(spread, m_bestRange, m_runsAxis, m_countAxis);

    // The innings: the selected order's bars beside the best order's.
    QChart& byInning = *innings();
    auto* inningAxis = new QBarCategoryAxis;
    inningAxis->setTitleText(text(msg::kChartInningAxis));
    for (int inning = 1; inning <= kInnings; ++inning) inningAxis->append(QString::number(inning));
    byInning.addAxis(inningAxis, Qt::AlignBottom);
    byInning.addAxis(m_inningRunsAxis, Qt::AlignLeft);
    m_bestInnings->setBrush(QBrush(kBest, Qt::SolidPattern));
    m_bestInnings->setBorderColor(kBest.darker(150));
    // Hatched, so that the two orders' bars differ without their colours.
    m_selectedInnings->setBrush(QBrush(kSelected, Qt::BDiagPattern));
    m_selectedInnings->setBorderColor(kSelected.darker(160));
    auto* bars = new QBarSeries;
    bars->append(m_selectedInnings);
    bars->append(m_bestInnings);
    attach(byInning, bars, inningAxis, m_inningRunsAxis);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_histogramView, 1);
    layout->addWidget(m_inningsView, 1);
    clear();
}

QChart* RankingCharts::histogram() const { return m_histogramView->chart(); }
QChart* RankingCharts::innings() const { return m_inningsView->chart(); }

void RankingCharts::clear() {
    m_outline->clear();
    m_bestMark->clear();
    m_selectedMark->clear();
    m_bestRange->clear();
    m_bestRange->setVisible(false);
    m_bestMark->setName(text(msg::kChartBest));
    m_selectedMark->setName(text(msg::kChartSelected));
    // Nothing to read off an empty chart: its value axes are hidden (a count
    // axis from 0 to 1 would read "0 0 0 1").
    for (QValueAxis* axis : {m_runsAxis, m_countAxis, m_inningRunsAxis}) {
        axis->setRange(0, 1);
        axis->setVisible(false);
    }
    for (QBarSet* set : {m_selectedInnings, m_bestInnings}) {
        set->remove(0, set->count());
    }
    m_selectedInnings->setLabel(text(msg::kChartSelected));
    m_bestInnings->setLabel(text(msg::kChartBest));
}

void RankingCharts::showRows(const RankingRows& rows, std::uint32_t best,
                             const RunsHistogram& histogram) {
    clear();
    if (rows.size() == 0 || best >= rows.size() || histogram.counts.empty()) return;

    QList<QPointF> steps;
    steps.reserve(2 * static_cast<qsizetype>(histogram.counts.size()));
    double left = histogram.from;
    for (const int count : histogram.counts) {
        steps << QPointF(left, count) << QPointF(left + histogram.width, count);
        left += histogram.width;
    }
    m_outline->replace(steps);
    for (QValueAxis* axis : {m_runsAxis, m_countAxis, m_inningRunsAxis}) axis->setVisible(true);
    m_markHeight = *std::max_element(histogram.counts.begin(), histogram.counts.end()) * 1.05;
    m_runsAxis->setRange(histogram.from, left);
    m_countAxis->setRange(0, m_markHeight);
    m_countAxis->applyNiceNumbers();
    m_markHeight = m_countAxis->max();

    const double bestRuns = rows.figures[best].meanRuns;
    m_bestMark->setName(orderLabel(msg::kChartBest, rows, best));
    m_bestMark->replace({QPointF(bestRuns, 0), QPointF(bestRuns, m_markHeight)});
    QList<qreal> bestInnings;
    for (int inning = 0; inning < kInnings; ++inning) bestInnings << rows.inningRuns(best, inning);
    m_bestInnings->setLabel(orderLabel(msg::kChartBest, rows, best));
    m_bestInnings->append(bestInnings);
    showSelected(rows, best, best);
}

void RankingCharts::showBestRange(const std::optional<RankingTable::RunsRange>& range) {
    m_bestRange->clear();
    m_bestRange->setVisible(range.has_value() && m_outline->count() > 0);
    if (!m_bestRange->isVisible()) return;
    // A bracket near the top, its ends turned down.
    const double top = m_markHeight * 0.92;
    const double tick = m_markHeight * 0.05;
    m_bestRange->replace({QPointF(range->low, top - tick), QPointF(range->low, top),
                          QPointF(range->high, top), QPointF(range->high, top - tick)});
    if (range->low < m_runsAxis->min()) m_runsAxis->setMin(range->low);
}

void RankingCharts::showSelected(const RankingRows& rows, std::uint32_t best,
                                 std::uint32_t selected) {
    if (selected >= rows.size() || best >= rows.size() || m_outline->count() == 0) return;
    const double runs = rows.figures[selected].meanRuns;
    m_selectedMark->setName(orderLabel(msg::kChartSelected, rows, selected));
    m_selectedMark->replace({QPointF(runs, 0), QPointF(runs, m_markHeight)});

    QList<qreal> chosen;
    double highest = 0.0;
    for (int inning = 0; inning < kInnings; ++inning) {
        chosen << rows.inningRuns(selected, inning);
        highest =
            std::max({highest, rows.inningRuns(selected, inning), rows.inningRuns(best, inning)});
    }
    m_selectedInnings->remove(0, m_selectedInnings->count());
    m_selectedInnings->append(chosen);
    m_selectedInnings->setLabel(orderLabel(msg::kChartSelected, rows, selected));
    m_inningRunsAxis->setRange(0, highest > 0.0 ? highest * 1.1 : 1.0);
    m_inningRunsAxis->applyNiceNumbers();
}

}  // namespace diz
