// A batter's chances as the engine's 15-bit draws realise them. The engine
// compares a draw r / 32768 (r = 0..32767) with cumulative sums of the five
// probabilities, and (r mod 1001) / 1000 with a runner's rate, so every chance
// it can produce is a whole number of 32768ths. These are those numbers.
#pragma once

#include <array>
#include <cstdint>

#include "diz/core.h"
#include "diz/engine/draw_rules.h"

namespace diz::exact {

// The outcomes are the engine's own.
using engine::kOutcomeCount;
using engine::Outcome;
using enum engine::Outcome;

enum Advance : std::uint8_t { k1B1to3, k1B2to4, k2B1to4, kAdvanceCount };

struct QuantisedBatter {
    // Number of the 32768 draws that select each outcome; they add up to 32768.
    std::array<std::int32_t, kOutcomeCount> outcomeDraws{};
    // Number of the 32768 draws for which each advancement succeeds.
    std::array<std::int32_t, kAdvanceCount> advanceDraws{};

    double outcome(Outcome o) const { return outcomeDraws[o] / double(engine::kDrawRange); }
};

// The draws as the engine counts them: outcome k takes r when the k-th
// cumulative sum is the first to exceed r / 32768; an advancement succeeds
// when (r mod 1001) / 1000 <= rate (never for a NaN rate).
QuantisedBatter quantise(const BatterRecord& record);

}  // namespace diz::exact
