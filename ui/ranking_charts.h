// The ranking window's two charts: how the evaluated orders' expected runs
// are spread, with the best and the selected order marked, and the selected
// order's runs by inning beside the best order's.
#pragma once

#include <QWidget>
#include <cstdint>

class QChart;
class QChartView;
class QLineSeries;

namespace diz {

struct RankingRows;

class RankingCharts final : public QWidget {
    Q_OBJECT
public:
    explicit RankingCharts(QWidget* parent = nullptr);

    // Bins the expected runs of every row into the histogram and marks the
    // best row; the selection starts at the best row.
    void showRows(const RankingRows& rows, std::uint32_t best);
    // Marks row `selected` in the histogram and compares its innings with the
    // best row's. `rows` must be the ones last shown.
    void showSelected(const RankingRows& rows, std::uint32_t best, std::uint32_t selected);
    // Empties both charts (while evaluating).
    void clear();

    QChart* histogram() const;
    QChart* innings() const;

private:
    QChartView* m_histogramView;
    QChartView* m_inningsView;
    QLineSeries* m_bestMark = nullptr;
    QLineSeries* m_selectedMark = nullptr;
    double m_highestBin = 0.0;
};

}  // namespace diz
