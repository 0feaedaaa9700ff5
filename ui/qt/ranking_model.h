// The ranking window's table model: a RankingTable (batch/ranking.h) shown
// through Qt's model/view, sortable by any column.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

#include "batch/ranking.h"

namespace diz {

// Only the GUI thread may touch it.
class RankingModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit RankingModel(QObject* parent = nullptr);

    // Takes over `rows` and shows them best first (see RankingTable::setRows).
    void setRows(RankingRows rows, std::vector<std::uint32_t> bestFirst = {},
                 std::vector<std::uint32_t> ranks = {});
    // Shows the rows' resampling (see RankingTable::setResampled).
    void setResampled(ResampleSummary summary);
    // Empties the table and hands its rows over (see RankingTable::takeRows).
    RankingRows takeRows();
    void clear() { takeRows(); }

    const RankingTable& table() const { return m_table; }
    const RankingRows& rows() const { return m_table.rows(); }
    // The row of `rows()` shown at table row `viewRow`.
    std::uint32_t rowAt(int viewRow) const {
        return m_table.rowAt(static_cast<std::size_t>(viewRow));
    }
    // The rows of the best and the worst order; only when not empty.
    std::uint32_t bestRow() const { return m_table.bestRow(); }
    std::uint32_t worstRow() const { return m_table.worstRow(); }
    int sortColumn() const { return m_table.sortColumn(); }
    Qt::SortOrder sortOrder() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    RankingTable m_table;
};

}  // namespace diz
