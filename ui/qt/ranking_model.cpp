#include "ui/qt/ranking_model.h"

#include <string>

namespace diz {

RankingModel::RankingModel(QObject* parent) : QAbstractTableModel(parent) {}

void RankingModel::setRows(RankingRows rows, std::vector<std::uint32_t> bestFirst,
                           std::vector<std::uint32_t> ranks) {
    beginResetModel();
    m_table.setRows(std::move(rows), std::move(bestFirst), std::move(ranks));
    endResetModel();
}

void RankingModel::setResampled(ResampleSummary summary) {
    beginResetModel();
    m_table.setResampled(std::move(summary));
    endResetModel();
}

RankingRows RankingModel::takeRows() {
    beginResetModel();
    RankingRows rows = m_table.takeRows();
    endResetModel();
    return rows;
}

Qt::SortOrder RankingModel::sortOrder() const {
    return m_table.sortDirection() == SortDirection::Ascending ? Qt::AscendingOrder
                                                               : Qt::DescendingOrder;
}

int RankingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.size());
}

int RankingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ranking::kTableColumnCount;
}

QVariant RankingModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) {
        std::string text;
        m_table.appendCell(text, rowAt(index.row()), index.column());
        return QString::fromStdString(text);
    }
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment side =
            index.column() == ranking::kOrder ? Qt::AlignLeft : Qt::AlignRight;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }
    return {};
}

QVariant RankingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromStdString(rankingColumnTitle(section));
}

void RankingModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ranking::kTableColumnCount) return;
    const SortDirection direction =
        order == Qt::AscendingOrder ? SortDirection::Ascending : SortDirection::Descending;
    if (m_table.empty()) {
        m_table.sort(column, direction);
        return;
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current index follow their orders to the new rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint32_t> rowsBefore;
    rowsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) rowsBefore.push_back(rowAt(index.row()));

    m_table.sort(column, direction);

    if (!before.isEmpty()) {
        const std::vector<std::uint32_t> places = m_table.viewPlaces();
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            after.push_back(index(static_cast<int>(places[rowsBefore[static_cast<std::size_t>(i)]]),
                                  before[i].column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace diz
