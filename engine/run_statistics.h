// The statistics of one call of `trial`: mean runs per game and its standard
// error, per-inning mean runs and per-inning scoring shares.
#pragma once

#include <cstdint>

#include "engine/game.h"

namespace diz::engine {

class RunStatistics {
  public:
    // `perGame` must hold one entry for every game that will be added; the
    // caller owns it. A game's runs are kept modulo 65536 there.
    explicit RunStatistics(std::uint16_t* perGame) : m_perGame(perGame) {}

    void addGame(const std::uint32_t inningRuns[kInnings]) {
        std::uint32_t gameRuns = 0;
        for (int k = 0; k < kInnings; ++k) {
            m_inningTotal[k] += inningRuns[k];
            m_inningScored[k] += inningRuns[k] != 0;
            gameRuns += inningRuns[k];
        }
        m_total += gameRuns;
        m_perGame[m_games++] = static_cast<std::uint16_t>(gameRuns);
    }

    // Stores the figures of the games added so far (at least one). The
    // standard error is the population standard deviation over sqrt(games),
    // computed in a second pass around the stored mean.
    void finish(double* meanRuns, double* standardError, double inningRuns[kInnings],
                double inningScoring[kInnings]) const;

  private:
    std::uint16_t* m_perGame;
    // 64-bit: with up to 2^31 games the totals outgrow 32 bits.
    std::uint64_t m_games = 0;
    std::uint64_t m_total = 0;
    std::uint64_t m_inningTotal[kInnings] = {};
    std::uint64_t m_inningScored[kInnings] = {};
};

}  // namespace diz::engine
