#include "ui/ranking_model.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>

#include "batch/text_io.h"

namespace diz {
namespace {

// The figure a numeric column shows (the gap sorts as the expected runs do).
double figureOf(const RankedFigures& r, int column) {
    if (column == ranking::kMeanRuns || column == ranking::kGap) return r.meanRuns;
    if (column == ranking::kDeviation) return r.deviation;
    return r.innings[static_cast<std::size_t>(column - ranking::kFirstInningRuns)];
}

}  // namespace

std::uint32_t toMillionths(double value) {
    constexpr double kLargest = 4294.967295;
    if (!(value > 0.0)) return 0;
    if (value >= kLargest) return std::numeric_limits<std::uint32_t>::max();
    const double scaled = value * 1e6;
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    // The product is within 2^-21 of value times a million, so only a
    // fraction this close to one half could round the other way; to_chars
    // settles those from the exact value.
    if (std::abs(fraction - 0.5) > 1e-6) {
        return static_cast<std::uint32_t>(below) + (fraction > 0.5 ? 1U : 0U);
    }
    std::string text;
    appendFixed(text, value, 6);
    std::uint32_t millionths = 0;
    for (const char c : text) {
        if (c != '.') millionths = millionths * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return millionths;
}

void appendMillionths(std::string& out, std::uint32_t millionths) {
    out += std::to_string(millionths / 1000000);
    const std::string decimals = std::to_string(millionths % 1000000);
    out += '.';
    out.append(6 - decimals.size(), '0');
    out += decimals;
}

void RankingRows::reserve(std::size_t count) {
    orders.reserve(count);
    figures.reserve(count);
}

void RankingRows::append(std::string_view order, const TrialResult& result) {
    std::array<char, kLineupSize> letters{};
    std::memcpy(letters.data(), order.data(), std::min<std::size_t>(order.size(), kLineupSize));
    orders.push_back(letters);
    RankedFigures& f = figures.emplace_back();
    f.meanRuns = result.meanRuns;
    f.deviation = result.standardError;
    for (std::size_t i = 0; i < kInnings; ++i) {
        f.innings[i] = toMillionths(result.inningRuns[i]);
        f.innings[kInnings + i] = toMillionths(result.inningScoring[i]);
    }
}

double RankingRows::inningRuns(std::size_t row, int inning) const {
    return figures[row].innings[static_cast<std::size_t>(inning)] / 1e6;
}

std::vector<std::uint32_t> sortRows(const RankingRows& rows, int column, Qt::SortOrder order) {
    const auto count = static_cast<std::uint32_t>(rows.size());
    std::vector<std::uint32_t> sorted(count);
    std::iota(sorted.begin(), sorted.end(), std::uint32_t{0});
    const auto textBefore = [&rows](std::uint32_t a, std::uint32_t b) {
        const int c = std::memcmp(rows.orders[a].data(), rows.orders[b].data(), kLineupSize);
        return c != 0 ? c < 0 : a < b;
    };

    if (column == ranking::kRank) {
        // Rank 1 is the best order: ascending ranks are descending runs.
        sorted = sortRows(rows, ranking::kMeanRuns, Qt::DescendingOrder);
        if (order == Qt::DescendingOrder) std::reverse(sorted.begin(), sorted.end());
        return sorted;
    }
    if (column == ranking::kOrder) {
        std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
            return order == Qt::AscendingOrder ? textBefore(a, b) : textBefore(b, a);
        });
        return sorted;
    }

    // The figures are copied out beside their rows first: sorting 362880
    // indices that each reach into an 88-byte record misses the cache on
    // nearly every comparison.
    struct Key {
        double value;
        std::uint32_t row;
    };
    std::vector<Key> keys(count);
    for (std::uint32_t i = 0; i < count; ++i) keys[i] = {figureOf(rows.figures[i], column), i};
    const bool descending = order == Qt::DescendingOrder;
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.value != b.value) return descending ? a.value > b.value : a.value < b.value;
        return textBefore(a.row, b.row);
    });
    for (std::uint32_t i = 0; i < count; ++i) sorted[i] = keys[i].row;
    return sorted;
}

RunsHistogram runsHistogram(const RankingRows& rows, int bins) {
    RunsHistogram histogram;
    if (rows.size() == 0 || bins < 1) return histogram;
    const auto [low, high] = std::minmax_element(
        rows.figures.begin(), rows.figures.end(),
        [](const RankedFigures& a, const RankedFigures& b) { return a.meanRuns < b.meanRuns; });
    histogram.from = low->meanRuns;
    histogram.width = (high->meanRuns - low->meanRuns) / bins;
    if (!(histogram.width > 0.0)) {
        histogram.width = 0.001;
        histogram.from -= histogram.width * bins / 2;
    }
    histogram.counts.assign(static_cast<std::size_t>(bins), 0);
    for (const RankedFigures& r : rows.figures) {
        const int bin = static_cast<int>((r.meanRuns - histogram.from) / histogram.width);
        ++histogram.counts[static_cast<std::size_t>(std::clamp(bin, 0, bins - 1))];
    }
    return histogram;
}

RankingModel::RankingModel(QObject* parent) : QAbstractTableModel(parent) {}

void RankingModel::setRows(RankingRows rows, std::vector<std::uint32_t> bestFirst) {
    beginResetModel();
    m_rows = std::move(rows);
    m_bestFirst = bestFirst.size() == m_rows.size()
                      ? std::move(bestFirst)
                      : sortRows(m_rows, ranking::kMeanRuns, Qt::DescendingOrder);
    m_rank.assign(m_rows.size(), 0);
    for (std::size_t i = 0; i < m_bestFirst.size(); ++i) {
        m_rank[m_bestFirst[i]] = static_cast<std::uint32_t>(i + 1);
    }
    m_sortColumn = ranking::kMeanRuns;
    m_sortOrder = Qt::DescendingOrder;
    m_view = m_bestFirst;
    endResetModel();
}

RankingRows RankingModel::takeRows() {
    beginResetModel();
    RankingRows rows = std::move(m_rows);
    // Assigning empty vectors gives the memory back; clear() would keep it.
    m_rows = RankingRows();
    m_bestFirst = {};
    m_rank = {};
    m_view = {};
    endResetModel();
    return rows;
}

QString RankingModel::columnTitle(int column) {
    switch (column) {
        case ranking::kRank:
            return QStringLiteral("順位");
        case ranking::kOrder:
            return QStringLiteral("打順");
        case ranking::kMeanRuns:
            return QStringLiteral("得点期待値");
        case ranking::kGap:
            return QStringLiteral("最良との差");
        case ranking::kDeviation:
            return QStringLiteral("標準偏差");
        default:
            break;
    }
    if (column < ranking::kFirstInningScoring) {
        return QStringLiteral("%1回得点").arg(column - ranking::kFirstInningRuns + 1);
    }
    return QStringLiteral("%1回得点確率").arg(column - ranking::kFirstInningScoring + 1);
}

void RankingModel::appendCell(std::string& out, std::uint32_t row, int column) const {
    switch (column) {
        case ranking::kRank:
            out += std::to_string(m_rank[row]);
            return;
        case ranking::kOrder:
            out += m_rows.order(row);
            return;
        case ranking::kGap:
            appendFixed(out, m_rows.figures[row].meanRuns - m_rows.figures[bestRow()].meanRuns, 6);
            return;
        case ranking::kMeanRuns:
        case ranking::kDeviation:
            appendFixed(out, figureOf(m_rows.figures[row], column), 6);
            return;
        default:
            appendMillionths(
                out, m_rows.figures[row]
                         .innings[static_cast<std::size_t>(column - ranking::kFirstInningRuns)]);
            return;
    }
}

void RankingModel::appendCsvLine(std::string& out, int viewRow) const {
    for (int column = 0; column < ranking::kColumnCount; ++column) {
        if (column > 0) out += ',';
        if (viewRow < 0) {
            out += columnTitle(column).toStdString();
        } else {
            appendCell(out, rowAt(viewRow), column);
        }
    }
    out += "\r\n";
}

int RankingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_view.size());
}

int RankingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ranking::kColumnCount;
}

QVariant RankingModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) {
        std::string text;
        appendCell(text, rowAt(index.row()), index.column());
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
    return columnTitle(section);
}

void RankingModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ranking::kColumnCount) return;
    m_sortColumn = column;
    m_sortOrder = order;
    if (m_rows.size() == 0) return;

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current index follow their orders to the new rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint32_t> rowsBefore;
    rowsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) rowsBefore.push_back(rowAt(index.row()));

    // The best-first order serves the ranks both ways without a sort.
    const bool bestFirst = (column == ranking::kMeanRuns && order == Qt::DescendingOrder) ||
                           (column == ranking::kRank && order == Qt::AscendingOrder);
    if (bestFirst) {
        m_view = m_bestFirst;
    } else if (column == ranking::kRank) {
        m_view.assign(m_bestFirst.rbegin(), m_bestFirst.rend());
    } else {
        m_view = sortRows(m_rows, column, order);
    }

    if (!before.isEmpty()) {
        std::vector<std::uint32_t> viewRowOf(m_view.size());
        for (std::size_t i = 0; i < m_view.size(); ++i) {
            viewRowOf[m_view[i]] = static_cast<std::uint32_t>(i);
        }
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            after.push_back(
                index(static_cast<int>(viewRowOf[rowsBefore[static_cast<std::size_t>(i)]]),
                      before[i].column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace diz
