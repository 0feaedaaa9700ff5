// The ranking window's table: every evaluated order with its exact figures,
// ranked by expected runs and sortable by any column.
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/run_pipeline.h"

namespace diz {

// The columns: rank, order, expected runs, gap to the best, standard
// deviation of a game's runs, then the nine innings' expected runs and the
// nine innings' chances of scoring.
namespace ranking {
inline constexpr int kRank = 0;
inline constexpr int kOrder = 1;
inline constexpr int kMeanRuns = 2;
inline constexpr int kGap = 3;
inline constexpr int kDeviation = 4;
inline constexpr int kFirstInningRuns = 5;
inline constexpr int kFirstInningScoring = kFirstInningRuns + kInnings;
inline constexpr int kColumnCount = kFirstInningScoring + kInnings;
}  // namespace ranking

// One order's figures as the table keeps them: the expected runs and the
// standard deviation as computed, the eighteen inning figures as the
// millionths their six decimals show (all the table and the CSV show of them).
struct RankedFigures {
    double meanRuns = 0.0;
    double deviation = 0.0;
    // Expected runs of innings 1..9, then the chances of scoring in them.
    std::array<std::uint32_t, 2 * kInnings> innings{};
};

// The evaluated orders in selection order, kept compact (362880 of them fit
// in about 35 MB): each order's nine letters and its figures, side by side.
// The standard deviation is the one of one game's runs, the standard error an
// evaluation over one game gives.
struct RankingRows {
    std::vector<std::array<char, kLineupSize>> orders;
    std::vector<RankedFigures> figures;

    std::size_t size() const { return orders.size(); }
    void reserve(std::size_t count);
    // `order` holds at least nine characters; the first nine are kept.
    void append(std::string_view order, const TrialResult& result);
    std::string_view order(std::size_t row) const {
        return {orders[row].data(), orders[row].size()};
    }
    // Inning 0..8's expected runs, to six decimals.
    double inningRuns(std::size_t row, int inning) const;
};

// `value` rounded to six decimals exactly as appendFixed rounds it, counted
// in millionths. Values from 0 up to 4294.967295 are kept; below that 0,
// above it the largest. An inning's figures always fit: at most four runs
// score in a plate appearance and the engine ends an inning after 1000.
std::uint32_t toMillionths(double value);
// Appends `millionths` as a number with six decimals.
void appendMillionths(std::string& out, std::uint32_t millionths);

// The rows' indices sorted by `column`. Every column sorts by its value, ties
// by the order's text and then by selection order, in both directions: for
// expected runs and the gap, descending puts the best first; rank ascending
// equals expected runs descending.
std::vector<std::uint32_t> sortRows(const RankingRows& rows, int column, Qt::SortOrder order);

// How the rows' expected runs spread: counts[i] orders lie from
// from + i * width up to the next bin (the highest in the last). A single
// value gets a narrow bin of its own.
struct RunsHistogram {
    double from = 0.0;
    double width = 0.0;
    std::vector<int> counts;
};
RunsHistogram runsHistogram(const RankingRows& rows, int bins);

// The table model over a RankingRows. Only the GUI thread may touch it.
class RankingModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit RankingModel(QObject* parent = nullptr);

    // Takes over `rows` and shows them best first. `bestFirst` must be
    // sortRows(rows, kMeanRuns, descending) when given; it is computed here
    // otherwise (a worker thread can do it ahead).
    void setRows(RankingRows rows, std::vector<std::uint32_t> bestFirst = {});
    // Empties the table and hands its rows over (the caller may free them on
    // another thread: giving back 60 MB takes tens of milliseconds).
    RankingRows takeRows();
    void clear() { takeRows(); }

    const RankingRows& rows() const { return m_rows; }
    // The row of `rows()` shown at table row `viewRow`.
    std::uint32_t rowAt(int viewRow) const { return m_view[static_cast<std::size_t>(viewRow)]; }
    // The rows of the best and the worst order (rank 1 and last); only when
    // the table is not empty.
    std::uint32_t bestRow() const { return m_bestFirst.front(); }
    std::uint32_t worstRow() const { return m_bestFirst.back(); }
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // The column titles of headerData, also the CSV's header.
    static QString columnTitle(int column);
    // The text of a cell as the table shows it and the CSV holds it: the rank
    // as an integer, the order's letters, every figure with six decimals.
    void appendCell(std::string& out, std::uint32_t row, int column) const;
    // One CSV line of table row `viewRow` (all columns, shown or not), or of
    // the header when viewRow is -1; ends with CR LF.
    void appendCsvLine(std::string& out, int viewRow) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    RankingRows m_rows;
    std::vector<std::uint32_t> m_bestFirst;  // rows by rank
    std::vector<std::uint32_t> m_rank;       // rank of each row, 1 = best
    std::vector<std::uint32_t> m_view;       // rows in the current sort
    int m_sortColumn = ranking::kMeanRuns;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

}  // namespace diz
