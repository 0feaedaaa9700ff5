// One batting order's half-innings. An inning is a Markov chain over (outs,
// who is on which base, batter up); its outcome, for every batting position p
// that can lead off, is summarised by the figures a game needs: how the next
// inning's leadoff is distributed, the runs jointly with that leadoff, the
// second moment of the runs and the chance of a scoreless inning.
//
// Most lineups are solved directly round the batting cycle (cycle_solver.h).
// A lineup that can hardly make an out may reach the engine's cap of plate
// appearances in an inning; its innings are followed plate appearance by
// plate appearance up to the cap instead (CappedInningSolver below).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "diz/lineup.h"
#include "exact/base_states.h"
#include "exact/lanes.h"
#include "exact/quantised_batter.h"

namespace diz::exact {

// The nine batters of an order by batting position 0..8 (not owned).
using PositionedLineup = std::array<const QuantisedBatter*, kLineupSize>;

template <typename T>
using PerPosition = std::array<T, kLineupSize>;

// Figures of an inning led off by batting position p, indexed [p] (and [p][q]
// by the next inning's leadoff q), for W lineups at once.
template <int W>
struct InningTable {
    Lanes<W> nextLeadoff[kLineupSize][kLineupSize];  // P(next leadoff q)
    Lanes<W> runsByNext[kLineupSize][kLineupSize];   // E[runs; next leadoff q]
    Lanes<W> meanRuns[kLineupSize];                  // E[runs]
    Lanes<W> meanSquareRuns[kLineupSize];            // E[runs^2]
    Lanes<W> scoreless[kLineupSize];                 // P(no run)
};

// The table of one lineup.
struct HalfInningTable : InningTable<1> {
    // True when the plate-appearance cap could matter and the inning was
    // played out plate appearance by plate appearance up to it.
    bool capped = false;
};

// An upper bound on the chance that an inning of `lineup` reaches the cap: at
// most two outs in the first 999 plate appearances means at most two of the
// 111 rounds of the order among them contain an out.
double capReachBound(const PositionedLineup& lineup);

// True when the cap can change a figure of `lineup` by more than about 1e-14,
// so that its innings have to be followed up to the cap (about 20 ms a solve
// instead of microseconds).
bool needsCap(const PositionedLineup& lineup);

// Follows a lineup's innings plate appearance by plate appearance up to the
// cap; holds its scratch memory so repeated solves allocate nothing. One
// solver per thread.
class CappedInningSolver {
  public:
    CappedInningSolver();

    HalfInningTable solve(const PositionedLineup& lineup);

  private:
    static constexpr int kDims = 12;  // runs by next leadoff (9), E[R], E[R^2], P(no run)
    using Leadoffs = PerPosition<PerPosition<double>>;

    void prepare(const PositionedLineup& lineup);
    // Computes the values of every situation at `outs` with batter p up, from
    // the values `same` (same outs, batter p + 1 up), `fewer` (one more out,
    // batter p + 1 up; null when the out ends the inning) and the next-leadoff
    // distribution `leadoffAfter` of a plate appearance that is not an out.
    void updateBlock(int outs, int p, const double* same, const double* fewer,
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
    // Per lineup, worked out once before the plate appearances: the chance of
    // every move with batter p up ([p * moves + move]), and per situation the
    // expected runs and squared runs of the plate appearance ([2 * (p *
    // situations + situation offset + s)] and the entry after).
    std::vector<double> m_moveChance;
    std::vector<double> m_playRuns;
    PerPosition<double> m_outChance{};
    std::vector<double> m_values;
    std::vector<double> m_previous;  // the last layer
};

}  // namespace diz::exact
