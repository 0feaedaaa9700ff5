// How the engine turns its 15-bit draws into plate-appearance outcomes and
// advancements: the one set of draw rules that the game plays by and that the
// exact evaluation counts draws with. Nothing else of the engine is reachable
// through this folder.
//
// A uniform draw is u = r / 32768 for a 15-bit r, so "s > u" holds exactly for
// the r below a threshold that depends on s alone. A thousandths draw is
// t = (r mod 1001) / 1000, and "t <= rate" holds exactly for the remainders
// below a threshold that depends on the rate alone. Working out both thresholds
// once per call lets the game compare small integers instead of doubles, with
// bit-identical decisions.
#pragma once

#include <array>
#include <cstdint>

#include "diz/core.h"

namespace diz::engine {

inline constexpr std::uint32_t kDrawRange = 32768;   // values of a 15-bit draw
inline constexpr std::uint32_t kThousandths = 1001;  // outcomes of a thousandths draw

// An inning also ends after this many plate appearances. Lineups that can make
// outs essentially never reach it; one that can't make any would otherwise
// play forever. It also keeps a game's runs (at most 4 per appearance) well
// inside the 16 bits the statistics keep per game.
inline constexpr std::uint32_t kMaxPlateAppearancesPerInning = 1000;

// The outcomes of a plate appearance, in the order their probabilities are
// summed; an out is whatever the five sums leave.
enum Outcome : std::uint32_t { kSingle, kDouble, kTriple, kHomeRun, kWalk, kOut };
inline constexpr int kOutcomeCount = kOut + 1;

// The number of r in 0..32767 with s > r / 32768.0 (NaN gives 0).
constexpr std::uint32_t uniformThreshold(double s) {
    if (!(s > 0.0)) return 0;
    if (s >= 1.0) return kDrawRange;
    // Scaling by a power of two is exact, so x is s itself in units of 1/32768,
    // and r < x holds exactly for r < ceil(x).
    const double x = s * 32768.0;
    const auto floorX = static_cast<std::uint32_t>(x);
    return static_cast<double>(floorX) < x ? floorX + 1 : floorX;
}

// The number of k in 0..1000 with k / 1000.0 <= rate (NaN gives 0). k / 1000.0
// never decreases with k, so these k form a prefix 0..K-1.
constexpr std::uint32_t thousandthsThreshold(double rate) {
    if (!(rate >= 0.0)) return 0;
    if (rate >= 1.0) return kThousandths;
    auto k = static_cast<std::uint32_t>(rate * 1000.0) + 1;  // a guess within one step
    while (k > 0 && !((k - 1) / 1000.0 <= rate)) --k;
    while (k < kThousandths && k / 1000.0 <= rate) ++k;
    return k;
}

// A batter's probabilities and rates as integer thresholds on the draws.
struct BatterThresholds {
    // outcomeBound[k]: the running maximum of the thresholds of the cumulative
    // sums single, +double, +triple, +home run, +walk. The outcome of a
    // uniform draw r is the number of bounds <= r (kOut when all are). Taking
    // the running maximum keeps "the first sum above u wins" exact even when a
    // negative probability makes the sums fall.
    std::array<std::uint32_t, kOut> outcomeBound{};
    std::uint32_t firstToThird = 0;  // single: runner on first reaches third
    std::uint32_t secondToHome = 0;  // single: runner on second scores
    std::uint32_t firstToHome = 0;   // double: runner on first scores
};

BatterThresholds makeBatterThresholds(const BatterRecord& record);

constexpr Outcome outcomeOf(const BatterThresholds& batter, std::uint32_t r) {
    std::uint32_t k = 0;
    for (std::uint32_t bound : batter.outcomeBound) k += bound <= r ? 1u : 0u;
    return static_cast<Outcome>(k);
}

}  // namespace diz::engine
