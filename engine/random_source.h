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
    // next15 / 32768 in [0, 1); never 1.0.
    double drawUniform() { return next15() / 32768.0; }
    // (next15 mod 1001) / 1000 in [0, 1]; both ends occur.
    double drawThousandths() { return (next15() % 1001u) / 1000.0; }
};

}  // namespace diz::engine
