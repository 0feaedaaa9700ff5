#include "engine/run_statistics.h"

#include <cmath>

namespace diz::engine {

void RunStatistics::finish(double* meanRuns, double* standardError, double inningRuns[kInnings],
                           double inningScoring[kInnings]) const {
    // Every count here stays below 2^53, so each converts to double exactly.
    const auto games = static_cast<double>(m_games);
    const double mean = static_cast<double>(m_total) / games;
    *meanRuns = mean;

    double sumOfSquares = 0.0;
    for (std::uint64_t i = 0; i < m_games; ++i) {
        const double d = m_perGame[i] - mean;
        sumOfSquares += d * d;
    }
    *standardError = std::sqrt(sumOfSquares) / games;

    for (int k = 0; k < kInnings; ++k) {
        inningRuns[k] = static_cast<double>(m_inningTotal[k]) / games;
        inningScoring[k] = static_cast<double>(m_inningScored[k]) / games;
    }
}

}  // namespace diz::engine
