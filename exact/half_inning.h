// One batting order's half-innings solved exactly. An inning is a Markov chain
// over (outs, who is on which base, batter up); its outcome, for every batting
// position p that can lead off, is summarised by the figures a game needs:
// how the next inning's leadoff is distributed, the runs jointly with that
// leadoff, the second moment of the runs and the chance of a scoreless inning.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "diz/lineup.h"
#include "exact/base_states.h"
#include "exact/quantised_batter.h"

namespace diz::exact {

// The nine batters of an order by batting position 0..8 (not owned).
using PositionedLineup = std::array<const QuantisedBatter*, kLineupSize>;

template <typename T>
using PerPosition = std::array<T, kLineupSize>;

// Figures of an inning led off by batting position p, indexed [p] (and [p][q]
// by the next inning's leadoff q).
struct HalfInningTable {
    PerPosition<PerPosition<double>> nextLeadoff{};  // P(next leadoff q)
    PerPosition<PerPosition<double>> runsByNext{};   // E[runs; next leadoff q]
    PerPosition<double> meanRuns{};                  // E[runs]
    PerPosition<double> meanSquareRuns{};            // E[runs^2]
    PerPosition<double> scoreless{};                 // P(no run)
    // True when the plate-appearance cap could matter and the inning was
    // played out plate appearance by plate appearance up to it.
    bool capped = false;
};

// Solves half-innings; holds its scratch memory so repeated solves allocate
// nothing. One solver per thread.
class HalfInningSolver {
  public:
    HalfInningSolver();

    // Exact figures of every half-inning of `lineup`. When the cap can change
    // any figure by more than about 1e-14, the inning is followed plate
    // appearance by plate appearance up to the cap; otherwise each outs level
    // is solved by sweeping round the batting order until the remaining error
    // is below 1e-12 relative. With `warmStart`, the sweeps start from the previous solve's values
    // instead of zero: fewer sweeps when the lineups are alike, and the same
    // figures to within the tolerance.
    HalfInningTable solve(const PositionedLineup& lineup, bool warmStart = false);

    // An upper bound on the chance that an inning reaches the cap: at most
    // two outs in the first 999 plate appearances means at most two of the 111
    // rounds of the order among them contain an out.
    static double capReachBound(const PositionedLineup& lineup);

    // True when solve() follows the innings up to the cap (about 20 ms a
    // solve instead of tens of microseconds).
    static bool needsCap(const PositionedLineup& lineup);

  private:
    static constexpr int kDims = 12;  // runs by next leadoff (9), E[R], E[R^2], P(no run)

    void prepare(const PositionedLineup& lineup);
    void solveIterated(HalfInningTable& table, bool warmStart);
    void solveCapped(HalfInningTable& table);
    using Leadoffs = PerPosition<PerPosition<double>>;
    // Copies the figures of the innings' starts (no outs, bases empty) from
    // `values`, with the next-leadoff distribution of no outs.
    void readStarts(const double* values, const Leadoffs& leadoff, HalfInningTable& table) const;
    // Computes the values of every situation at `outs` with batter p up, from
    // the values `same` (same outs, batter p + 1 up), `fewer` (one more out,
    // batter p + 1 up; null when the out ends the inning) and the next-leadoff
    // distribution `leadoffAfter` of a plate appearance that is not an out.
    // Returns the largest change against what `into` held, relative to the
    // largest value of the block (or absolute below 1).
    double updateBlock(int outs, int p, const double* same, const double* fewer,
                       const double* leadoffAfter, double* into) const;

    std::size_t blockOffset(int outs, int p) const {
        return (m_levelOffset[outs] + std::size_t(p) * m_levelSize[outs]) * kDims;
    }

    const BaseStates& m_states;
    std::array<std::size_t, kOutsPerInning> m_levelSize{};
    std::array<std::size_t, kOutsPerInning> m_levelOffset{};      // in states
    std::array<std::size_t, kOutsPerInning> m_situationOffset{};  // in situations
    std::size_t m_situationCount = 0;
    std::size_t m_totalValues = 0;
    // Per lineup, worked out once before the sweeps: the chance of every move
    // with batter p up ([p * moves + move]), and per situation the expected
    // runs and squared runs of the plate appearance ([2 * (p * situations +
    // situation offset + s)] and the entry after).
    std::vector<double> m_moveChance;
    std::vector<double> m_playRuns;
    PerPosition<double> m_outChance{};
    std::vector<double> m_values;
    std::vector<double> m_previous;  // the capped computation's last layer
    bool m_valuesIterated = false;   // m_values holds an iterated solve
};

}  // namespace diz::exact
