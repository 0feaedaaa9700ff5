// How sure the best order is: the batters' counts are one season's sample,
// so seasons are drawn anew from them (replicates) and every selected order
// is evaluated exactly in each, telling how often each order comes out best,
// where it ranks and how far behind each season's best it falls.
//
// The draws are the same on every machine and for every number of jobs:
// replicate r's stream is fixed by (seed, r) alone, and the generator and the
// draws are written out here, not taken from a standard library.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "batch/batter_table.h"
#include "diz/lineup.h"

namespace diz {

namespace resampling {
inline constexpr std::uint32_t kReplicatesMax = 10000;
inline constexpr std::uint64_t kDefaultSeed = 1;
// The orders past the shown top of the point ranking that are followed from
// the first pass on, so that an order best in some season is rarely one that
// needs a second pass over the seasons.
inline constexpr std::size_t kLookahead = 4096;
}  // namespace resampling

// splitmix64: a 64-bit counter advanced by 0x9E3779B97F4A7C15 and mixed by
// two xor-shift-multiply rounds. Small, fast and well spread, and the same
// numbers everywhere.
class SplitMix64 {
  public:
    explicit constexpr SplitMix64(std::uint64_t state) : m_state(state) {}
    constexpr std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A uniform integer from 0 to bound - 1 (bound >= 1), unbiased: the
    // remainder of a number, the few lowest numbers that would favour some
    // remainders drawn again.
    std::uint64_t below(std::uint64_t bound);

  private:
    std::uint64_t m_state;
};

// Replicate r's own stream: a splitmix64 started at the (r + 1)-th number of a
// splitmix64 started at `seed`.
SplitMix64 replicateGenerator(std::uint64_t seed, std::uint32_t replicate);

// Replicate `replicate`'s season: each batter with plate appearances
// (at-bats + walks) has as many again, each drawn on its own as a single,
// double, triple, home run, walk or out with the shares of his counts
// (outs = at-bats - hits), so the counts follow that multinomial; at-bats
// become the plate appearances less the walks, the rates stay. A batter with
// no plate appearances, or with more hits than at-bats, stays as he is.
BatterTable resampledSeason(const BatterTable& batters, std::uint64_t seed,
                            std::uint32_t replicate);

struct ResampleOptions {
    std::uint32_t replicates = 0;  // 1..kReplicatesMax
    std::uint64_t seed = resampling::kDefaultSeed;
    int jobs = 0;  // worker threads of the exact evaluation; 0: one per core
    // The selection brings each set's rotations together (see OrderSelection).
    bool rotationsTogether = false;
    // Once set, the replicate being evaluated is dropped and the figures are
    // those of the replicates done. May be null.
    const std::atomic<bool>* stop = nullptr;
    // After each replicate: the pass (1 for the first), the replicates the
    // pass has done and the replicates it goes over. May be empty.
    std::function<void(int pass, std::uint32_t done, std::uint32_t of)> onReplicate;
    // Rank and gap cells (12 bytes each) a pass keeps at most, and as many of
    // the replicates' top expected runs (8 bytes each) besides: 2^21 by
    // default, 40 MB in all. Smaller only to test the further passes.
    std::size_t cellBudget = std::size_t{1} << 21;
};

// One order's figures over the replicates.
struct ResampledOrder {
    std::uint32_t index = 0;      // place in the selection
    BattingOrder order{};         // its batters
    double pointRuns = 0.0;       // expected runs with the counts as entered
    std::uint32_t pointRank = 0;  // place in the point ranking; 0 when not known
    std::uint32_t timesBest = 0;  // replicates in which it is the best order
    // Its rank and gap are known in every replicate done; false only after a
    // stop that came before the pass that follows the order.
    bool known = false;
    // The middle of its ranks (1 + the orders with more expected runs), the
    // lower of the two middle ones for an even count.
    std::uint32_t medianRank = 0;
    // The 5 % and 95 % points (linear between the ordered values) of its
    // expected runs less the replicate's best, runs per game: 0 or below.
    double gapLow = 0.0;
    double gapHigh = 0.0;
};

// What playing one order every season would cost.
struct OrderCost {
    BattingOrder order{};
    double share = 0.0;  // of the replicates in which it is the best order
    double cost = 0.0;   // mean of (replicate's best - its expected runs), per game
};

struct ResampleSummary {
    std::uint32_t requested = 0;
    std::uint32_t replicates = 0;  // done; fewer than requested after a stop
    std::uint64_t seed = 0;
    std::uint64_t selected = 0;      // orders evaluated in each replicate
    std::uint32_t distinctBest = 0;  // orders best in at least one replicate
    // The point ranking's shown top in its order, then every other order best
    // in a replicate, most often best first (ties in selection order).
    std::vector<ResampledOrder> orders;
    OrderCost pointBest;  // the point ranking's first
    // abcdefghi, whether selected or not: when not, its share is 0 and its
    // cost may be below 0 (it may beat every selected order).
    OrderCost entered;
};

// Draws options.replicates seasons from `batters` and evaluates every order of
// `orders` exactly (expected runs only) in each. `pointRanked` holds places in
// `orders` from the best of the point ranking down (at least the best); the
// first `shown` of them are reported whatever their share, the rest are only
// followed ahead. Memory is bounded by the orders and the replicates, never
// their product: a replicate's expected runs are kept while it is evaluated,
// and ranks and gaps only for the followed orders, at most a fixed number of
// cells per pass; an order found best that was not followed gets a further
// pass over the same replicates. Returns nothing but the summary; a stop ends
// it early with the replicates done.
ResampleSummary resampleOrders(const BatterTable& batters, std::span<const BattingOrder> orders,
                               std::span<const std::uint32_t> pointRanked, std::size_t shown,
                               const ResampleOptions& options);

// The report: the summary lines, then a line per order of summary.orders
// (rank in the point ranking or "-", order, expected runs, share of the
// replicates best, median rank, 5 % and 95 % points of the gap), LF ended.
std::string resampleText(const ResampleSummary& summary);

}  // namespace diz
