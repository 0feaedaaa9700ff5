#include "batch/ranking.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <numeric>
#include <span>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "batch/messages.h"
#include "batch/text_io.h"
#include "diz/exact/exact_evaluator.h"

namespace diz {
namespace {

// The figure a numeric column shows (the gap sorts as the expected runs do).
// Scratch memory for a sort of every row, in huge pages where the system
// has them: written for the first time, 4 KB pages cost a fault each, about
// as long as the sort itself on some virtual machines. Left uninitialised.
template <typename T>
class HugeArray {
  public:
    explicit HugeArray(std::size_t count) : m_count(count) {
#if defined(__linux__)
        constexpr std::size_t kHuge = std::size_t{2} << 20;
        const std::size_t bytes = std::max(kHuge, (count * sizeof(T) + kHuge - 1) / kHuge * kHuge);
        m_memory = std::aligned_alloc(kHuge, bytes);
        if (m_memory != nullptr) madvise(m_memory, bytes, MADV_HUGEPAGE);
#endif
        if (m_memory == nullptr)
            m_memory = std::malloc(std::max<std::size_t>(1, count * sizeof(T)));
        if (m_memory == nullptr) throw std::bad_alloc();
    }
    ~HugeArray() { std::free(m_memory); }
    HugeArray(const HugeArray&) = delete;
    HugeArray& operator=(const HugeArray&) = delete;
    std::span<T> span() { return {static_cast<T*>(m_memory), m_count}; }

  private:
    std::size_t m_count;
    void* m_memory = nullptr;
};

double figureOf(const RankingRows& rows, std::uint32_t row, int column) {
    const RankedFigures& r = rows.figures[row];
    if (column == ranking::kMeanRuns || column == ranking::kGap) return r.meanRuns;
    if (column == ranking::kDeviation) return r.deviation;
    return rows.innings(row)[static_cast<std::size_t>(column - ranking::kFirstInningRuns)];
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The CSV goes to the file in pieces of about this size.
constexpr std::size_t kCsvPieceBytes = 1 << 20;

}  // namespace

std::string rankingColumnTitle(int column) {
    switch (column) {
        case ranking::kRank:
            return "順位";
        case ranking::kOrder:
            return "打順";
        case ranking::kMeanRuns:
            return "得点期待値";
        case ranking::kGap:
            return "最良との差";
        case ranking::kDeviation:
            return "標準偏差";
        case ranking::kBestShare:
            return std::string(msg::kRankingBestShareColumn);
        case ranking::kGapRange:
            return std::string(msg::kRankingGapRangeColumn);
        default:
            break;
    }
    if (column < ranking::kFirstInningScoring) {
        return std::to_string(column - ranking::kFirstInningRuns + 1) + "回得点";
    }
    return std::to_string(column - ranking::kFirstInningScoring + 1) + "回得点確率";
}

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

namespace {

InningFigures inningFiguresOf(const TrialResult& result) {
    InningFigures innings;
    for (std::size_t i = 0; i < kInnings; ++i) {
        innings[i] = toMillionths(result.inningRuns[i]);
        innings[kInnings + i] = toMillionths(result.inningScoring[i]);
    }
    return innings;
}

InningFigures inningFiguresOf(const exact::ExactFigures& f) {
    TrialResult result;
    result.inningRuns = f.inningRuns;
    result.inningScoring = f.inningScoring;
    return inningFiguresOf(result);
}

BattingOrder orderOf(const std::array<char, kLineupSize>& letters) {
    BattingOrder order{};
    for (int i = 0; i < kLineupSize; ++i) order[i] = static_cast<std::uint8_t>(letters[i] - 'a');
    return order;
}

// The smallest of the order's nine rotations, packed: the orders of one set
// of rotations share it, and are solved together.
std::uint64_t rotationSetKey(const std::array<char, kLineupSize>& letters) {
    std::uint64_t smallest = ~std::uint64_t{0};
    for (int start = 0; start < kLineupSize; ++start) {
        std::uint64_t key = 0;
        for (int i = 0; i < kLineupSize; ++i) {
            key = key << 4 | static_cast<std::uint64_t>(letters[(start + i) % kLineupSize] - 'a');
        }
        smallest = std::min(smallest, key);
    }
    return smallest;
}

}  // namespace

// The batters deferred rows were evaluated with, the evaluator that works
// out one row (made on first use), and the rows' inning figures, held only
// once the first is worked out (its memory is touched only where written)
// and read only where known.
struct RankingRows::Deferred {
    BatterRecords records{};
    std::unique_ptr<exact::ExactEvaluator> one;
    std::unique_ptr<InningFigures[]> innings;
    std::vector<std::uint8_t> known;
    std::size_t unknown = 0;

    InningFigures& at(std::size_t row) {
        if (!innings) innings = std::make_unique_for_overwrite<InningFigures[]>(known.size());
        return innings[row];
    }
};

RankingRows::RankingRows() = default;
RankingRows::~RankingRows() = default;
RankingRows::RankingRows(RankingRows&&) noexcept = default;
RankingRows& RankingRows::operator=(RankingRows&&) noexcept = default;

void RankingRows::reserve(std::size_t count) {
    orders.reserve(count);
    figures.reserve(count);
    if (m_deferred) {
        m_deferred->known.reserve(count);
    } else {
        m_innings.reserve(count);
    }
}

void RankingRows::append(const BattingOrder& order, const TrialResult& result) {
    auto& letters = orders.emplace_back();
    for (int i = 0; i < kLineupSize; ++i) letters[i] = static_cast<char>('a' + order[i]);
    figures.push_back({result.meanRuns, result.standardError});
    if (m_deferred) {
        Deferred& d = *m_deferred;
        if (d.innings) {
            // The figures are held for the rows there were; rows come before
            // any is worked out, and one after that starts them over.
            d.innings.reset();
            std::fill(d.known.begin(), d.known.end(), 0);
            d.unknown = d.known.size();
        }
        d.known.push_back(0);
        ++d.unknown;
    } else {
        m_innings.push_back(inningFiguresOf(result));
    }
}

void RankingRows::deferInnings(const BatterRecords& records) {
    m_deferred = std::make_unique<Deferred>();
    m_deferred->records = records;
}

const InningFigures& RankingRows::innings(std::size_t row) const {
    if (!m_deferred) return m_innings[row];
    Deferred& d = *m_deferred;
    if (d.known[row] == 0) {
        if (!d.one) d.one = std::make_unique<exact::ExactEvaluator>(d.records);
        d.at(row) = inningFiguresOf(d.one->evaluate(orderOf(orders[row])));
        d.known[row] = 1;
        --d.unknown;
    }
    return d.at(row);
}

void RankingRows::completeInnings() const {
    if (!m_deferred || m_deferred->unknown == 0) return;
    Deferred& d = *m_deferred;
    // The rows that lack them, with the rotations of each set side by side,
    // so that the stream needs to remember only a few sets at a time.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> waiting;
    waiting.reserve(d.unknown);
    for (std::uint32_t row = 0; row < size(); ++row) {
        if (d.known[row] == 0) waiting.emplace_back(rotationSetKey(orders[row]), row);
    }
    std::sort(waiting.begin(), waiting.end());
    exact::EvaluationOptions options;
    options.rememberedSets = 1024;
    exact::OrderStream stream(d.records, std::move(options), exact::KeptFigures{false, true, true});
    constexpr std::size_t kBatch = 8192;
    std::vector<BattingOrder> batch;
    std::vector<exact::ExactFigures> solved;
    for (std::size_t first = 0; first < waiting.size(); first += kBatch) {
        const std::size_t count = std::min(kBatch, waiting.size() - first);
        batch.resize(count);
        solved.resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            batch[k] = orderOf(orders[waiting[first + k].second]);
        }
        stream.evaluate(batch, solved);
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint32_t row = waiting[first + k].second;
            d.at(row) = inningFiguresOf(solved[k]);
            d.known[row] = 1;
        }
    }
    d.unknown = 0;
}

double RankingRows::inningRuns(std::size_t row, int inning) const {
    return innings(row)[static_cast<std::size_t>(inning)] / 1e6;
}

std::vector<std::uint32_t> sortRows(const RankingRows& rows, int column, SortDirection direction) {
    const auto count = static_cast<std::uint32_t>(rows.size());
    const bool descending = direction == SortDirection::Descending;
    std::vector<std::uint32_t> sorted(count);
    std::iota(sorted.begin(), sorted.end(), std::uint32_t{0});
    const auto textBefore = [&rows](std::uint32_t a, std::uint32_t b) {
        const int c = std::memcmp(rows.orders[a].data(), rows.orders[b].data(), kLineupSize);
        return c != 0 ? c < 0 : a < b;
    };

    if (column == ranking::kRank) {
        // Rank 1 is the best order: ascending ranks are descending runs.
        sorted = sortRows(rows, ranking::kMeanRuns, SortDirection::Descending);
        if (descending) std::reverse(sorted.begin(), sorted.end());
        return sorted;
    }
    if (column == ranking::kOrder) {
        std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
            return descending ? textBefore(b, a) : textBefore(a, b);
        });
        return sorted;
    }

    // The figures are copied out beside their rows as integers that order as
    // the figures do, and sorted by their bytes, least significant first:
    // each pass keeps the order of the one before, and a byte every key
    // shares takes no pass. A comparison sort of 362880 rows takes several
    // times as long, on the worker and on the window's thread alike.
    struct Key {
        std::uint64_t value;
        std::uint32_t row;
    };
    const bool inning = column >= ranking::kFirstInningRuns && column < ranking::kColumnCount;
    if (inning) rows.completeInnings();
    HugeArray<Key> keyMemory(count);
    std::span<Key> keys = keyMemory.span();
    for (std::uint32_t i = 0; i < count; ++i) {
        // An inning's millionths are their own key, three bytes or so. Of the
        // other figures +0.0 turns -0.0 into 0.0, which it equals; negative
        // figures have their bits reversed, positive ones their sign set.
        std::uint64_t ordered = 0;
        if (inning) {
            ordered = rows.innings(i)[static_cast<std::size_t>(column - ranking::kFirstInningRuns)];
        } else {
            const auto bits = std::bit_cast<std::uint64_t>(figureOf(rows, i, column) + 0.0);
            ordered = (bits >> 63) != 0 ? ~bits : bits | std::uint64_t{1} << 63;
        }
        keys[i] = {descending ? ~ordered : ordered, i};
    }
    // Every byte's counts in one look at the keys; a pass only moves them.
    std::vector<std::array<std::uint32_t, 256>> starts(8);
    for (const Key& k : keys) {
        for (int b = 0; b < 8; ++b) ++starts[std::size_t(b)][(k.value >> (8 * b)) & 0xFF];
    }
    HugeArray<Key> spareMemory(count);
    std::span<Key> spare = spareMemory.span();
    for (int b = 0; b < 8; ++b) {
        std::array<std::uint32_t, 256>& start = starts[std::size_t(b)];
        if (std::find(start.begin(), start.end(), count) != start.end()) continue;
        std::uint32_t at = 0;
        for (std::uint32_t& n : start) at += std::exchange(n, at);
        const int shift = 8 * b;
        for (const Key& k : keys) spare[start[(k.value >> shift) & 0xFF]++] = k;
        std::swap(keys, spare);
    }
    // Equal figures, in evaluation order so far, go by the order's text:
    // already so when the rows came in the order of their text, as all
    // orderings do.
    const auto byText = [&](const Key& a, const Key& b) { return textBefore(a.row, b.row); };
    bool textOrdered = true;
    for (std::uint32_t row = 1; row < count && textOrdered; ++row) {
        textOrdered = textBefore(row - 1, row);
    }
    for (std::uint32_t first = 0; first < count && !textOrdered;) {
        std::uint32_t end = first + 1;
        while (end < count && keys[end].value == keys[first].value) ++end;
        if (end - first > 1 && !std::is_sorted(keys.begin() + first, keys.begin() + end, byText)) {
            std::sort(keys.begin() + first, keys.begin() + end, byText);
        }
        first = end;
    }
    for (std::uint32_t i = 0; i < count; ++i) sorted[i] = keys[i].row;
    return sorted;
}

std::vector<std::uint32_t> sortRows(const RankingRows& rows, std::span<const double> keys,
                                    SortDirection direction,
                                    std::span<const std::uint32_t> fallback) {
    const bool descending = direction == SortDirection::Descending;
    std::vector<std::uint32_t> sorted;
    sorted.reserve(rows.size());
    for (std::uint32_t row = 0; row < keys.size(); ++row) {
        if (!std::isnan(keys[row])) sorted.push_back(row);
    }
    std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (keys[a] != keys[b]) return descending ? keys[a] > keys[b] : keys[a] < keys[b];
        const int c = std::memcmp(rows.orders[a].data(), rows.orders[b].data(), kLineupSize);
        return c != 0 ? c < 0 : a < b;
    });
    for (const std::uint32_t row : fallback) {
        if (std::isnan(keys[row])) sorted.push_back(row);
    }
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

std::vector<std::uint32_t> ranksOf(const std::vector<std::uint32_t>& bestFirst) {
    std::vector<std::uint32_t> ranks(bestFirst.size());
    for (std::size_t i = 0; i < bestFirst.size(); ++i) {
        ranks[bestFirst[i]] = static_cast<std::uint32_t>(i + 1);
    }
    return ranks;
}

void RankingTable::setRows(RankingRows rows, std::vector<std::uint32_t> bestFirst,
                           std::vector<std::uint32_t> ranks) {
    m_rows = std::move(rows);
    const bool given = bestFirst.size() == m_rows.size();
    m_bestFirst = given ? std::move(bestFirst)
                        : sortRows(m_rows, ranking::kMeanRuns, SortDirection::Descending);
    m_rank = given && ranks.size() == m_rows.size() ? std::move(ranks) : ranksOf(m_bestFirst);
    m_sortColumn = ranking::kMeanRuns;
    m_direction = SortDirection::Descending;
    m_view = {};
    m_viewBestFirst = true;
    m_resampled = ResampleSummary();
    m_resampledPlace = {};
}

void RankingTable::setResampled(ResampleSummary summary) {
    m_resampled = std::move(summary);
    m_resampledPlace.assign(m_resampled.replicates > 0 ? m_rows.size() : 0, kNotResampled);
    if (m_resampledPlace.empty()) return;
    for (std::size_t i = 0; i < m_resampled.orders.size(); ++i) {
        const std::uint32_t row = m_resampled.orders[i].index;
        if (row < m_resampledPlace.size()) m_resampledPlace[row] = static_cast<std::uint32_t>(i);
    }
}

const ResampledOrder* RankingTable::resampledOf(std::uint32_t row) const {
    if (row >= m_resampledPlace.size() || m_resampledPlace[row] == kNotResampled) return nullptr;
    return &m_resampled.orders[m_resampledPlace[row]];
}

std::optional<RankingTable::RunsRange> RankingTable::bestRange() const {
    if (empty()) return std::nullopt;
    const ResampledOrder* best = resampledOf(bestRow());
    if (best == nullptr || !best->known) return std::nullopt;
    const double runs = m_rows.figures[bestRow()].meanRuns;
    return RunsRange{runs + best->gapLow, runs + best->gapHigh};
}

RankingRows RankingTable::takeRows() {
    RankingRows rows = std::move(m_rows);
    // Assigning empty vectors gives the memory back; clear() would keep it.
    m_rows = RankingRows();
    m_bestFirst = {};
    m_rank = {};
    m_view = {};
    m_viewBestFirst = true;
    m_resampled = ResampleSummary();
    m_resampledPlace = {};
    return rows;
}

std::vector<std::uint32_t> RankingTable::viewPlaces() const {
    const std::vector<std::uint32_t>& rows = view();
    std::vector<std::uint32_t> places(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) places[rows[i]] = static_cast<std::uint32_t>(i);
    return places;
}

void RankingTable::sort(int column, SortDirection direction) {
    if (column < 0 || column >= ranking::kTableColumnCount) return;
    m_sortColumn = column;
    m_direction = direction;
    const bool descending = direction == SortDirection::Descending;
    // The best-first order serves the ranks both ways without a sort.
    if ((column == ranking::kMeanRuns && descending) || (column == ranking::kRank && !descending)) {
        m_view = {};
        m_viewBestFirst = true;
        return;
    }
    m_viewBestFirst = false;
    if (column == ranking::kRank) {
        m_view.assign(m_bestFirst.rbegin(), m_bestFirst.rend());
    } else if (column >= ranking::kColumnCount) {
        // The share sorts as it shows; the gap's range by its 5 % point, the
        // order's worst likely season. The orders without one follow in rank.
        std::vector<double> keys(m_rows.size(), std::numeric_limits<double>::quiet_NaN());
        for (std::uint32_t row = 0; row < keys.size(); ++row) {
            const ResampledOrder* r = resampledOf(row);
            if (r == nullptr) continue;
            if (column == ranking::kBestShare) {
                keys[row] = r->timesBest;
            } else if (r->known) {
                keys[row] = r->gapLow;
            }
        }
        m_view = sortRows(m_rows, keys, direction, m_bestFirst);
    } else {
        m_view = sortRows(m_rows, column, direction);
    }
}

void RankingTable::appendCell(std::string& out, std::uint32_t row, int column) const {
    const RankedFigures& figures = m_rows.figures[row];
    switch (column) {
        case ranking::kRank:
            out += std::to_string(m_rank[row]);
            return;
        case ranking::kOrder:
            out += m_rows.order(row);
            return;
        case ranking::kGap:
            appendFixed(out, figures.meanRuns - m_rows.figures[bestRow()].meanRuns, 6);
            return;
        case ranking::kMeanRuns:
        case ranking::kDeviation:
            appendFixed(out, figureOf(m_rows, row, column), 6);
            return;
        case ranking::kBestShare:
            if (const ResampledOrder* r = resampledOf(row)) {
                appendFixed(out, 100.0 * r->timesBest / m_resampled.replicates, 1);
                out += '%';
            }
            return;
        case ranking::kGapRange:
            if (const ResampledOrder* r = resampledOf(row); r != nullptr && r->known) {
                appendFixed(out, r->gapLow, 4);
                out += " 〜 ";
                appendFixed(out, r->gapHigh, 4);
            }
            return;
        default:
            appendMillionths(
                out,
                m_rows.innings(row)[static_cast<std::size_t>(column - ranking::kFirstInningRuns)]);
            return;
    }
}

void RankingTable::appendCsvLine(std::string& out, std::size_t viewRow) const {
    const std::uint32_t row = rowAt(viewRow);
    for (int column = 0; column < ranking::kColumnCount; ++column) {
        if (column > 0) out += ',';
        appendCell(out, row, column);
    }
    if (resampled()) {
        const ResampledOrder* r = resampledOf(row);
        if (r == nullptr) {
            out += ",,,,";
        } else {
            out += ',';
            appendFixed(out, r->timesBest / static_cast<double>(m_resampled.replicates), 6);
            if (!r->known) {
                out += ",,,";
            } else {
                out += ',';
                out += std::to_string(r->medianRank);
                out += ',';
                appendFixed(out, r->gapLow, 6);
                out += ',';
                appendFixed(out, r->gapHigh, 6);
            }
        }
    }
    out += "\r\n";
}

std::string csvSaveMessage(SaveResult result, std::string_view name) {
    switch (result) {
        case SaveResult::Saved:
            return std::string(msg::kRankingCsvSaved) + std::string(name);
        case SaveResult::NotCreated:
            return messageWithName(msg::kOutputOpenFailed, name);
        case SaveResult::NotWritten:
            break;
    }
    return messageWithName(msg::kOutputWriteFailed, name);
}

SaveResult RankingTable::saveCsv(const std::filesystem::path& path) const {
    m_rows.completeInnings();
    return saveAtomically(path, [this](const ByteSink& write) {
        std::string text(kByteOrderMark);
        for (int column = 0; column < ranking::kColumnCount; ++column) {
            if (column > 0) text += ',';
            text += rankingColumnTitle(column);
        }
        if (resampled()) {
            text += ',';
            text += msg::kResampleCsvColumns;
        }
        text += "\r\n";
        for (std::size_t row = 0; row < size(); ++row) {
            appendCsvLine(text, row);
            if (text.size() >= kCsvPieceBytes) {
                if (!write(text)) return false;
                text.clear();
            }
        }
        return write(text);
    });
}

std::string RankingTable::summary() const {
    if (empty()) return {};
    const double best = m_rows.figures[bestRow()].meanRuns;
    const double worst = m_rows.figures[worstRow()].meanRuns;
    const double gap = best - worst;
    std::string text = "最良 ";
    text += m_rows.order(bestRow());
    text += ' ';
    appendFixed(text, best, 6);
    text += " 点　最悪 ";
    text += m_rows.order(worstRow());
    text += ' ';
    appendFixed(text, worst, 6);
    text += " 点　差 ";
    appendFixed(text, gap, 6);
    text += " 点/試合（";
    text += std::to_string(ranking::kSeasonGames);
    text += " 試合で ";
    appendFixed(text, gap * ranking::kSeasonGames, 2);
    text += " 点）";
    if (size() >= 2) appendRunnerUp(text);
    if (resampled()) appendSureness(text);
    return text;
}

void RankingTable::appendRunnerUp(std::string& text) const {
    const double best = m_rows.figures[bestRow()].meanRuns;
    const std::uint32_t second = m_bestFirst[1];
    const double runnerUp = best - m_rows.figures[second].meanRuns;
    text += "\n最良と 2 位 ";
    text += m_rows.order(second);
    text += " の差 ";
    appendFixed(text, runnerUp, 6);
    text += " 点/試合";
    if (runnerUp < ranking::kPracticallyTiedRuns) {
        text += "（";
        appendFixed(text, ranking::kPracticallyTiedRuns, 3);
        text += " 点未満：実質的に同点です）";
    }
}

void RankingTable::appendSureness(std::string& text) const {
    const ResampleSummary& r = m_resampled;
    text += '\n';
    text += msg::kSureHeading;
    text += std::to_string(r.replicates);
    text += msg::kResampleTimes;
    if (r.replicates < r.requested) {
        text += msg::kResampleOf;
        text += std::to_string(r.requested);
        text += msg::kSureStopped;
    }
    text += msg::kSureBest;
    text += orderText(r.pointBest.order);
    text += msg::kSureShare;
    appendFixed(text, 100.0 * r.pointBest.share, 1);
    text += msg::kSureDistinct;
    text += std::to_string(r.distinctBest);
    text += msg::kSureCost;
    appendFixed(text, r.pointBest.cost, 6);
    text += msg::kResampleRunsPerGame;
    text += std::to_string(ranking::kSeasonGames);
    text += msg::kResampleSeasonGames;
    appendFixed(text, r.pointBest.cost * ranking::kSeasonGames, 2);
    text += msg::kSureEnd;
}

}  // namespace diz
