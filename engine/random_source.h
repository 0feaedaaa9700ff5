// The engine's one source of randomness: a 32-bit linear congruential
// generator whose every step yields 15 bits. Its constants and its start value
// are fixed so that a run repeats digit for digit.
#pragma once

#include <cstdint>

namespace diz::engine {

struct RandomSource {
    std::uint32_t state = 1;

    // Advances the state (modulo 2^32) and returns bits 16..30: 0..32767.
    std::uint32_t next15() {
        state = state * 214013u + 2531011u;
        return (state >> 16) & 0x7FFFu;
    }
};

}  // namespace diz::engine
