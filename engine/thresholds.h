// Integer forms of the engine's floating-point draws.
//
// A uniform draw is u = r / 32768 for a 15-bit r, so "s > u" holds exactly for
// the r below a threshold that depends on s alone. A thousandths draw is
// t = (r mod 1001) / 1000, and "t <= rate" holds exactly for the remainders
// below a threshold that depends on the rate alone. Working out both thresholds
// once per call lets the game compare small integers instead of doubles, with
// bit-identical decisions.
#pragma once

#include <cstdint>

namespace diz::engine {

inline constexpr std::uint32_t kDrawRange = 32768;  // values of a 15-bit draw
inline constexpr std::uint32_t kThousandths = 1001; // outcomes of a thousandths draw

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

}  // namespace diz::engine
