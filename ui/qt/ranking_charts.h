// The ranking window's two charts: how the evaluated orders' expected runs
// are spread, with the best and the selected order marked, and the selected
// order's runs by inning beside the best order's.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "batch/ranking.h"

class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace diz {

class RankingCharts final : public QWidget {
    Q_OBJECT
  public:
    explicit RankingCharts(QWidget* parent = nullptr);

    // Shows `histogram`, the bins of `rows` (runsHistogram), and marks the best row; the
    // selection starts at the best row.
    void showRows(const RankingRows& rows, std::uint32_t best, const RunsHistogram& histogram);
    // Marks row `selected` in the histogram and compares its innings with the
    // best row's. `rows` must be the ones last shown.
    void showSelected(const RankingRows& rows, std::uint32_t best, std::uint32_t selected);
    // Brackets, over the histogram, the expected runs the best order's gap to
    // each resampled season's best spans (RankingTable::bestRange); nothing
    // without one. After showRows.
    void showBestRange(const std::optional<RankingTable::RunsRange>& range);
    // Empties both charts (while evaluating).
    void clear();

    QChart* histogram() const;
    QChart* innings() const;
    // The bracket of showBestRange.
    QLineSeries* bestRange() const { return m_bestRange; }

  private:
    // The series and axes are made once and only given new values: building
    // a chart anew costs tens of milliseconds of the window's thread.
    QChartView* m_histogramView;
    QChartView* m_inningsView;
    QLineSeries* m_outline;
    QLineSeries* m_bestMark;
    QLineSeries* m_selectedMark;
    QLineSeries* m_bestRange;
    QValueAxis* m_runsAxis;
    QValueAxis* m_countAxis;
    QBarSet* m_selectedInnings;
    QBarSet* m_bestInnings;
    QValueAxis* m_inningRunsAxis;
    double m_markHeight = 1.0;
};

}  // namespace diz
