// The ranking window's two charts: how the evaluated orders' expected runs
// are spread, with the best and the selected order marked, and the selected
// order's runs by inning beside the best order's.
#pragma once

#include <QWidget>
#include <cstdint>

class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace diz {

struct RankingRows;
struct RunsHistogram;

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
    // Empties both charts (while evaluating).
    void clear();

    QChart* histogram() const;
    QChart* innings() const;

  private:
    // The series and axes are made once and only given new values: building
    // a chart anew costs tens of milliseconds of the window's thread.
    QChartView* m_histogramView;
    QChartView* m_inningsView;
    QLineSeries* m_outline;
    QLineSeries* m_bestMark;
    QLineSeries* m_selectedMark;
    QValueAxis* m_runsAxis;
    QValueAxis* m_countAxis;
    QBarSet* m_selectedInnings;
    QBarSet* m_bestInnings;
    QValueAxis* m_inningRunsAxis;
    double m_markHeight = 1.0;
};

}  // namespace diz
