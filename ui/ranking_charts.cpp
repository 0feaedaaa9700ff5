#include "ui/ranking_charts.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "batch/text_io.h"
#include "ui/ranking_model.h"

namespace diz {
namespace {

constexpr int kBins = 40;

QString orderLabel(const QString& what, const RankingRows& rows, std::uint32_t row) {
    return QStringLiteral("%1 %2").arg(what, QString::fromLatin1(rows.order(row).data(), kLineupSize));
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

// Replaces the chart's series and axes.
void resetChart(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

}  // namespace

RankingCharts::RankingCharts(QWidget* parent)
    : QWidget(parent),
      m_histogramView(chartView(this, QStringLiteral("得点期待値の分布"))),
      m_inningsView(chartView(this, QStringLiteral("イニング別の得点期待値"))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_histogramView, 1);
    layout->addWidget(m_inningsView, 1);
}

QChart* RankingCharts::histogram() const { return m_histogramView->chart(); }
QChart* RankingCharts::innings() const { return m_inningsView->chart(); }

void RankingCharts::clear() {
    resetChart(*histogram());
    resetChart(*innings());
    m_bestMark = nullptr;
    m_selectedMark = nullptr;
}

void RankingCharts::showRows(const RankingRows& rows, std::uint32_t best) {
    clear();
    if (rows.size() == 0) return;

    // Bins of equal width from the lowest to the highest expected runs; a
    // single value gets a narrow bin of its own.
    const auto [low, high] = std::minmax_element(
        rows.figures.begin(), rows.figures.end(),
        [](const TrialResult& a, const TrialResult& b) { return a.meanRuns < b.meanRuns; });
    double from = low->meanRuns;
    double width = (high->meanRuns - from) / kBins;
    if (!(width > 0.0)) {
        width = 0.001;
        from -= width * kBins / 2;
    }
    std::vector<int> counts(kBins, 0);
    for (const TrialResult& r : rows.figures) {
        const int bin = std::clamp(static_cast<int>((r.meanRuns - from) / width), 0, kBins - 1);
        ++counts[static_cast<std::size_t>(bin)];
    }

    // The outline of the bars as steps, filled down to the axis.
    auto* outline = new QLineSeries;
    for (int i = 0; i < kBins; ++i) {
        const double left = from + width * i;
        outline->append(left, counts[static_cast<std::size_t>(i)]);
        outline->append(left + width, counts[static_cast<std::size_t>(i)]);
    }
    auto* area = new QAreaSeries(outline);
    area->setName(QStringLiteral("打順数"));
    m_highestBin = *std::max_element(counts.begin(), counts.end());

    QChart& chart = *histogram();
    chart.addSeries(area);
    m_bestMark = new QLineSeries;
    m_bestMark->setName(orderLabel(QStringLiteral("最良"), rows, best));
    m_bestMark->setPen(QPen(QColor(0xc0, 0x30, 0x30), 2));
    chart.addSeries(m_bestMark);
    m_selectedMark = new QLineSeries;
    m_selectedMark->setPen(QPen(QColor(0x20, 0x80, 0x20), 2, Qt::DashLine));
    chart.addSeries(m_selectedMark);

    QValueAxis* x = valueAxis(QStringLiteral("得点期待値"), QStringLiteral("%.3f"));
    x->setRange(from, from + width * kBins);
    QValueAxis* y = valueAxis(QStringLiteral("打順数"), QStringLiteral("%d"));
    y->setRange(0, m_highestBin * 1.05);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart.series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    const double bestRuns = rows.figures[best].meanRuns;
    m_bestMark->append({QPointF(bestRuns, 0), QPointF(bestRuns, m_highestBin * 1.05)});
    showSelected(rows, best, best);
}

void RankingCharts::showSelected(const RankingRows& rows, std::uint32_t best,
                                 std::uint32_t selected) {
    if (m_selectedMark == nullptr || selected >= rows.size() || best >= rows.size()) return;
    const double runs = rows.figures[selected].meanRuns;
    m_selectedMark->setName(orderLabel(QStringLiteral("選択"), rows, selected));
    m_selectedMark->replace({QPointF(runs, 0), QPointF(runs, m_highestBin * 1.05)});

    QChart& chart = *innings();
    resetChart(chart);
    auto* chosen = new QBarSet(orderLabel(QStringLiteral("選択"), rows, selected));
    auto* top = new QBarSet(orderLabel(QStringLiteral("最良"), rows, best));
    double highest = 0.0;
    for (int inning = 0; inning < kInnings; ++inning) {
        const auto i = static_cast<std::size_t>(inning);
        *chosen << rows.figures[selected].inningRuns[i];
        *top << rows.figures[best].inningRuns[i];
        highest = std::max({highest, rows.figures[selected].inningRuns[i],
                            rows.figures[best].inningRuns[i]});
    }
    auto* bars = new QBarSeries;
    bars->append(chosen);
    bars->append(top);
    chart.addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->setTitleText(QStringLiteral("イニング"));
    for (int inning = 1; inning <= kInnings; ++inning) x->append(QString::number(inning));
    QValueAxis* y = valueAxis(QStringLiteral("得点"), QStringLiteral("%.2f"));
    y->setRange(0, highest > 0.0 ? highest * 1.1 : 1.0);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
}

}  // namespace diz
