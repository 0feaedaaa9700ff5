#include "batch/resample.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>

#include "batch/messages.h"
#include "batch/ranking.h"
#include "batch/text_io.h"
#include "diz/exact/exact_evaluator.h"

namespace diz {
namespace {

// Orders handed to the exact evaluation at a time, as a run hands them.
constexpr std::size_t kBatch = 8192;
// Sets of rotations remembered when each set's rotations come together.
constexpr std::size_t kSetsAtHand = 1024;
// Orders evaluated one by one in each replicate at most, per pass over the
// replicates: an order alone costs about a nine-thousandth of a whole
// replicate of every ordering, so beyond this many a pass of the whole
// selection is faster.
constexpr std::size_t kAloneAtMost = 4096;
// A rank known only to lie below the kept top values.
constexpr std::uint32_t kBeyondTop = UINT32_MAX;

// The followed orders of one pass and their rank and gap in each replicate,
// order by order.
struct Followed {
    std::vector<std::uint32_t> indices;  // places in the selection
    std::vector<std::uint32_t> ranks;    // [slot * replicates + r]
    std::vector<double> gaps;            // [slot * replicates + r]
};

// The linear point between the ordered values (R's type 7).
double quantile(const std::vector<double>& sorted, double p) {
    const double h = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(h);
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

class Study {
  public:
    Study(const BatterTable& batters, std::span<const BattingOrder> orders,
          const ResampleOptions& options)
        : m_batters(batters),
          m_orders(orders),
          m_options(options),
          m_values(orders.size()),
          m_figures(std::min(kBatch, orders.size())),
          m_topCount(std::clamp<std::size_t>(options.cellBudget / std::max(options.replicates, 1U),
                                             1, orders.size())),
          m_tops(m_topCount * options.replicates) {}

    // Replicate r's expected runs of every order into m_values, and its
    // batters into `records`; false when stopped before the last batch.
    bool evaluate(std::uint32_t r, exact::Batters& records) {
        records = buildRecords(resampledSeason(m_batters, m_options.seed, r));
        exact::EvaluationOptions options;
        options.jobs = m_options.jobs;
        options.cancel = m_options.stop;
        options.rememberedSets =
            m_options.rotationsTogether ? kSetsAtHand : std::size_t{kRotationSets};
        exact::OrderStream stream(records, std::move(options),
                                  exact::KeptFigures{false, false, false});
        for (std::size_t from = 0; from < m_orders.size(); from += kBatch) {
            const std::size_t n = std::min(kBatch, m_orders.size() - from);
            if (!stream.evaluate(m_orders.subspan(from, n), std::span(m_figures).first(n))) {
                return false;
            }
            for (std::size_t k = 0; k < n; ++k) m_values[from + k] = m_figures[k].meanRuns;
        }
        return true;
    }

    // The followed orders' rank and gap in replicate r of `replicates`, from
    // m_values and the replicate's best.
    void record(Followed& followed, std::uint32_t r, std::uint32_t replicates, double best) {
        // A rank counts the orders above: with the followed values in
        // ascending order, each order lands above the first p of them.
        const std::size_t n = followed.indices.size();
        m_sorted.clear();
        for (std::size_t j = 0; j < n; ++j) m_sorted.push_back({m_values[followed.indices[j]], j});
        std::sort(m_sorted.begin(), m_sorted.end());
        m_sortedValues.clear();
        for (const auto& [value, slot] : m_sorted) m_sortedValues.push_back(value);
        m_landed.assign(n + 1, 0);
        for (const double v : m_values) {
            const auto p = std::lower_bound(m_sortedValues.begin(), m_sortedValues.end(), v) -
                           m_sortedValues.begin();
            ++m_landed[static_cast<std::size_t>(p)];
        }
        std::uint32_t above = 0;
        for (std::size_t i = n; i-- > 0;) {
            above += m_landed[i + 1];
            const std::size_t cell = m_sorted[i].second * replicates + r;
            followed.ranks[cell] = above + 1;
            followed.gaps[cell] = m_sorted[i].first - best;
        }
    }

    // Keeps replicate r's m_topCount highest expected runs, highest first.
    void keepTop(std::uint32_t r) {
        m_scratch.assign(m_values.begin(), m_values.end());
        const auto end = m_scratch.begin() + static_cast<std::ptrdiff_t>(m_topCount);
        std::nth_element(m_scratch.begin(), end - 1, m_scratch.end(), std::greater<>());
        std::sort(m_scratch.begin(), end, std::greater<>());
        std::copy(m_scratch.begin(), end,
                  m_tops.begin() + static_cast<std::ptrdiff_t>(r * m_topCount));
    }

    // The rank in replicate r of an order with expected runs `value`, when
    // fewer than the kept top values are above it; kBeyondTop otherwise.
    std::uint32_t rankAmongTop(std::uint32_t r, double value) const {
        const auto top = m_tops.begin() + static_cast<std::ptrdiff_t>(r * m_topCount);
        const auto above = static_cast<std::size_t>(
            std::lower_bound(top, top + static_cast<std::ptrdiff_t>(m_topCount), value,
                             std::greater<>()) -
            top);
        return above < m_topCount ? static_cast<std::uint32_t>(above + 1) : kBeyondTop;
    }

    std::span<const double> values() const { return m_values; }

  private:
    const BatterTable& m_batters;
    std::span<const BattingOrder> m_orders;
    const ResampleOptions& m_options;
    std::vector<double> m_values;
    std::vector<exact::ExactFigures> m_figures;
    std::vector<std::pair<double, std::size_t>> m_sorted;
    std::vector<double> m_sortedValues;
    std::vector<std::uint32_t> m_landed;
    std::size_t m_topCount;
    std::vector<double> m_tops;  // [r * m_topCount + k]
    std::vector<double> m_scratch;
};

void startFollowing(Followed& followed, std::uint32_t replicates) {
    followed.ranks.assign(followed.indices.size() * replicates, 0);
    followed.gaps.assign(followed.indices.size() * replicates, 0.0);
}

// The figures of followed order `slot` over the first `done` replicates.
void summarise(const Followed& followed, std::size_t slot, std::uint32_t replicates,
               std::uint32_t done, ResampledOrder& out) {
    if (done == 0) return;
    const std::size_t from = slot * replicates;
    std::vector<std::uint32_t> ranks(
        followed.ranks.begin() + static_cast<std::ptrdiff_t>(from),
        followed.ranks.begin() + static_cast<std::ptrdiff_t>(from + done));
    std::vector<double> gaps(followed.gaps.begin() + static_cast<std::ptrdiff_t>(from),
                             followed.gaps.begin() + static_cast<std::ptrdiff_t>(from + done));
    const auto middle = ranks.begin() + (done - 1) / 2;
    std::nth_element(ranks.begin(), middle, ranks.end());
    std::sort(gaps.begin(), gaps.end());
    out.known = true;
    out.medianRank = *middle;
    out.gapLow = quantile(gaps, 0.05);
    out.gapHigh = quantile(gaps, 0.95);
}

void appendCost(std::string& text, const OrderCost& cost) {
    text += orderText(cost.order);
    text += msg::kResampleShare;
    appendFixed(text, cost.share, 6);
    text += msg::kResampleCost;
    appendFixed(text, cost.cost, 6);
    text += msg::kResampleRunsPerGame;
    text += std::to_string(ranking::kSeasonGames);
    text += msg::kResampleSeasonGames;
    appendFixed(text, cost.cost * ranking::kSeasonGames, 2);
    text += msg::kResampleRunsEnd;
}

}  // namespace

std::uint64_t SplitMix64::below(std::uint64_t bound) {
    // 2^64 mod bound: the numbers from there up are a whole multiple of
    // bound, so their remainders are equally likely.
    const std::uint64_t threshold = (0 - bound) % bound;
    for (;;) {
        const std::uint64_t x = next();
        if (x >= threshold) return x % bound;
    }
}

SplitMix64 replicateGenerator(std::uint64_t seed, std::uint32_t replicate) {
    // The (r + 1)-th number of splitmix64 from `seed`, reached directly.
    SplitMix64 base(seed + 0x9E3779B97F4A7C15ULL * replicate);
    return SplitMix64(base.next());
}

BatterTable resampledSeason(const BatterTable& batters, std::uint64_t seed,
                            std::uint32_t replicate) {
    SplitMix64 random = replicateGenerator(seed, replicate);
    BatterTable season = batters;
    for (BatterEntry& batter : season) {
        const std::int64_t hits =
            std::int64_t{batter.singles} + batter.doubles + batter.triples + batter.homeRuns;
        const std::int64_t appearances = std::int64_t{batter.atBats} + batter.walks;
        if (appearances <= 0 || hits > batter.atBats || batter.atBats < 0 || batter.walks < 0) {
            continue;
        }
        // Counts' upper ends: a draw below the first is a single, and so on;
        // at or above the last, an out.
        const std::int64_t ends[5] = {batter.singles, batter.singles + batter.doubles,
                                      batter.singles + batter.doubles + batter.triples, hits,
                                      hits + batter.walks};
        std::int32_t counts[6] = {};
        for (std::int64_t pa = 0; pa < appearances; ++pa) {
            const auto u =
                static_cast<std::int64_t>(random.below(static_cast<std::uint64_t>(appearances)));
            int outcome = 0;
            while (outcome < 5 && u >= ends[outcome]) ++outcome;
            ++counts[outcome];
        }
        batter.singles = counts[0];
        batter.doubles = counts[1];
        batter.triples = counts[2];
        batter.homeRuns = counts[3];
        batter.walks = counts[4];
        batter.atBats = static_cast<std::int32_t>(appearances - counts[4]);
    }
    return season;
}

ResampleSummary resampleOrders(const BatterTable& batters, std::span<const BattingOrder> orders,
                               std::span<const std::uint32_t> pointRanked, std::size_t shown,
                               const ResampleOptions& options) {
    ResampleSummary summary;
    summary.requested = options.replicates;
    summary.seed = options.seed;
    summary.selected = orders.size();
    if (orders.empty() || pointRanked.empty() || options.replicates == 0) return summary;
    const std::uint32_t replicates = options.replicates;
    const std::size_t perPass = std::max<std::size_t>(1, options.cellBudget / replicates);
    const auto stopped = [&options] { return options.stop != nullptr && options.stop->load(); };
    const BattingOrder entered{0, 1, 2, 3, 4, 5, 6, 7, 8};

    // Kept per replicate: its best order and value, and the entered order's
    // value (evaluated on its own, as it may not be selected). Across the
    // replicates only the followed orders' ranks and gaps.
    Study study(batters, orders, options);
    std::vector<std::uint32_t> bestIndex;
    std::vector<double> bestValue;
    double enteredCost = 0.0;
    double pointBestCost = 0.0;
    bestIndex.reserve(replicates);
    bestValue.reserve(replicates);

    // The first pass finds each replicate's best and follows the point
    // ranking's top (and the orders just below it).
    Followed first;
    first.indices.assign(
        pointRanked.begin(),
        pointRanked.begin() + static_cast<std::ptrdiff_t>(std::min(pointRanked.size(), perPass)));
    startFollowing(first, replicates);
    std::uint32_t done = 0;
    exact::Batters records{};
    for (std::uint32_t r = 0; r < replicates; ++r) {
        if (stopped() || !study.evaluate(r, records)) break;
        const std::span<const double> values = study.values();
        std::size_t best = 0;
        for (std::size_t k = 1; k < values.size(); ++k) {
            if (values[k] > values[best]) best = k;
        }
        bestIndex.push_back(static_cast<std::uint32_t>(best));
        bestValue.push_back(values[best]);
        pointBestCost += values[best] - values[pointRanked[0]];
        enteredCost += values[best] - exact::ExactEvaluator(records).evaluate(entered).meanRuns;
        study.record(first, r, replicates, values[best]);
        study.keepTop(r);
        ++done;
        if (options.onReplicate) options.onReplicate(1, done, replicates);
    }
    summary.replicates = done;
    if (done == 0) return summary;

    // The orders reported: the shown top, then the others found best.
    std::map<std::uint32_t, std::uint32_t> timesBest;
    for (const std::uint32_t index : bestIndex) ++timesBest[index];
    summary.distinctBest = static_cast<std::uint32_t>(timesBest.size());
    const auto countOf = [&timesBest](std::uint32_t index) {
        const auto it = timesBest.find(index);
        return it == timesBest.end() ? 0U : it->second;
    };
    // Places in the point ranking and slots of the first pass, by place in
    // the selection (0: none).
    std::vector<std::uint32_t> pointPlace(orders.size(), 0);
    for (std::size_t i = 0; i < pointRanked.size(); ++i) {
        pointPlace[pointRanked[i]] = static_cast<std::uint32_t>(i + 1);
    }
    std::vector<std::uint32_t> firstSlot(orders.size(), 0);
    for (std::size_t j = 0; j < first.indices.size(); ++j) {
        firstSlot[first.indices[j]] = static_cast<std::uint32_t>(j + 1);
    }
    const std::size_t top = std::min(shown, pointRanked.size());
    std::vector<std::uint32_t> reported(pointRanked.begin(),
                                        pointRanked.begin() + static_cast<std::ptrdiff_t>(top));
    std::vector<std::pair<std::uint32_t, std::uint32_t>> others;  // (times, index)
    for (const auto& [index, times] : timesBest) {
        if (pointPlace[index] == 0 || pointPlace[index] > top) others.emplace_back(times, index);
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& other : others) reported.push_back(other.second);

    exact::ExactEvaluator point(buildRecords(batters));
    for (const std::uint32_t index : reported) {
        ResampledOrder& row = summary.orders.emplace_back();
        row.index = index;
        row.order = orders[index];
        row.pointRuns = point.evaluate(orders[index]).meanRuns;
        row.pointRank = pointPlace[index];
        row.timesBest = countOf(index);
        if (firstSlot[index] > 0) summarise(first, firstSlot[index] - 1, replicates, done, row);
    }

    // The reported orders the first pass did not follow, each evaluated on
    // its own in every replicate: the gap exactly, the rank from the
    // replicate's kept top values when it is among them, which settles the
    // median unless the order fell below them in half the replicates.
    std::vector<std::size_t> unknown;  // places in summary.orders
    for (std::size_t i = 0; i < summary.orders.size(); ++i) {
        if (!summary.orders[i].known) unknown.push_back(i);
    }
    std::vector<std::size_t> unsettled;
    const std::size_t alonePerPass = std::min(perPass, kAloneAtMost);
    if (unknown.size() > alonePerPass) {
        unsettled = unknown;
        unknown.clear();
    }
    for (std::size_t from = 0; from < unknown.size() && !stopped(); from += alonePerPass) {
        const std::size_t to = std::min(unknown.size(), from + alonePerPass);
        Followed alone;
        for (std::size_t i = from; i < to; ++i) {
            alone.indices.push_back(summary.orders[unknown[i]].index);
        }
        startFollowing(alone, done);
        std::uint32_t again = 0;
        for (std::uint32_t r = 0; r < done && !stopped(); ++r) {
            exact::ExactEvaluator season(buildRecords(resampledSeason(batters, options.seed, r)));
            for (std::size_t j = 0; j < alone.indices.size(); ++j) {
                const double value = season.evaluate(orders[alone.indices[j]]).meanRuns;
                alone.gaps[j * done + r] = value - bestValue[r];
                alone.ranks[j * done + r] = study.rankAmongTop(r, value);
            }
            ++again;
            if (options.onReplicate) options.onReplicate(2, again, done);
        }
        if (again < done) break;
        for (std::size_t i = from; i < to; ++i) {
            ResampledOrder& row = summary.orders[unknown[i]];
            summarise(alone, i - from, done, done, row);
            if (row.medianRank == kBeyondTop) {
                row.known = false;
                unsettled.push_back(unknown[i]);
            }
        }
    }

    // Further passes over the same replicates for the orders whose median
    // rank lies below the kept top values, as many at a time as the cells
    // allow.
    int pass = 2;
    for (std::size_t from = 0; from < unsettled.size() && !stopped(); from += perPass) {
        ++pass;
        Followed next;
        const std::size_t to = std::min(unsettled.size(), from + perPass);
        for (std::size_t i = from; i < to; ++i) {
            next.indices.push_back(summary.orders[unsettled[i]].index);
        }
        startFollowing(next, done);
        std::uint32_t again = 0;
        for (std::uint32_t r = 0; r < done; ++r) {
            if (stopped() || !study.evaluate(r, records)) break;
            study.record(next, r, done, bestValue[r]);
            ++again;
            if (options.onReplicate) options.onReplicate(pass, again, done);
        }
        if (again < done) break;
        for (std::size_t i = from; i < to; ++i) {
            summarise(next, i - from, done, done, summary.orders[unsettled[i]]);
        }
    }

    const double n = static_cast<double>(done);
    summary.pointBest.order = orders[pointRanked[0]];
    summary.pointBest.share = countOf(pointRanked[0]) / n;
    summary.pointBest.cost = pointBestCost / n;
    summary.entered.order = entered;
    const auto enteredPlace = std::find(orders.begin(), orders.end(), entered);
    if (enteredPlace != orders.end()) {
        summary.entered.share =
            countOf(static_cast<std::uint32_t>(enteredPlace - orders.begin())) / n;
    }
    summary.entered.cost = enteredCost / n;
    return summary;
}

std::string resampleText(const ResampleSummary& summary) {
    std::string text(msg::kResampleHeading);
    text += std::to_string(summary.replicates);
    text += msg::kResampleTimes;
    if (summary.replicates < summary.requested) {
        text += msg::kResampleOf;
        text += std::to_string(summary.requested);
        text += msg::kResampleStopped;
    }
    text += msg::kResampleSeed;
    text += std::to_string(summary.seed);
    text += msg::kResampleDistinct;
    text += std::to_string(summary.distinctBest);
    text += msg::kResampleDistinctEnd;
    if (summary.replicates == 0) return text;
    text += msg::kResamplePointBest;
    appendCost(text, summary.pointBest);
    text += msg::kResampleEntered;
    appendCost(text, summary.entered);
    text += msg::kResampleColumns;
    for (const ResampledOrder& row : summary.orders) {
        const std::string rank = row.pointRank > 0 ? std::to_string(row.pointRank) : "-";
        text.append(rank.size() < 4 ? 4 - rank.size() : 0, ' ');
        text += rank;
        text += ' ';
        text += orderText(row.order);
        text += ' ';
        appendFixed(text, row.pointRuns, 6);
        text += ' ';
        appendFixed(text, row.timesBest / static_cast<double>(summary.replicates), 6);
        if (row.known) {
            text += ' ';
            text += std::to_string(row.medianRank);
            text += ' ';
            appendFixed(text, row.gapLow, 6);
            text += ' ';
            appendFixed(text, row.gapHigh, 6);
        } else {
            text += " - - -";
        }
        text += '\n';
    }
    return text;
}

}  // namespace diz
