#include "exact/half_inning.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace diz::exact {
namespace {

// Above this bound on the chance that an inning reaches the cap, a solve that
// ignores the cap could differ from the engine.
constexpr double kCapNegligible = 1e-16;

// Two doubles side by side; the compiler keeps them in one vector register.
using Pair = double __attribute__((vector_size(16)));

Pair load(const double* from) {
    Pair v;
    std::memcpy(&v, from, sizeof v);
    return v;
}
void store(double* to, Pair v) { std::memcpy(to, &v, sizeof v); }

constexpr int next(int p) { return p + 1 == kLineupSize ? 0 : p + 1; }

double noOutRound(const PositionedLineup& lineup) {
    double round = 1.0;
    for (const auto* batter : lineup) round *= 1.0 - batter->outcome(kOut);
    return round;
}

double capReachBoundOf(double noOutRound) {
    constexpr int kRounds =
        static_cast<int>(engine::kMaxPlateAppearancesPerInning - 1) / kLineupSize;
    const double withOut = 1.0 - noOutRound;
    return std::pow(noOutRound, kRounds) + kRounds * withOut * std::pow(noOutRound, kRounds - 1) +
           0.5 * kRounds * (kRounds - 1) * withOut * withOut * std::pow(noOutRound, kRounds - 2);
}

}  // namespace

double capReachBound(const PositionedLineup& lineup) { return capReachBoundOf(noOutRound(lineup)); }

bool needsCap(const PositionedLineup& lineup) {
    // The bound grows with the chance of a round without an out, and at 1/2 it
    // is about 2e-30: below that the three powers need not be taken. Every
    // order of a run is checked, so this is worth it.
    const double round = noOutRound(lineup);
    return round > 0.5 && capReachBoundOf(round) > kCapNegligible;
}

CappedInningSolver::CappedInningSolver() : m_states(baseStates()) {
    std::size_t offset = 0;
    for (int outs = 0; outs < kOutsPerInning; ++outs) {
        m_levelSize[outs] = m_states.situations[outs].size();
        m_levelOffset[outs] = offset;
        m_situationOffset[outs] = m_situationCount;
        offset += m_levelSize[outs] * kLineupSize;
        m_situationCount += m_levelSize[outs];
    }
    m_totalValues = offset * kDims;
    m_values.assign(m_totalValues, 0.0);
    m_previous.assign(m_totalValues, 0.0);
    m_moveChance.assign(m_states.moves.size() * kLineupSize, 0.0);
    m_playRuns.assign(2 * m_situationCount * kLineupSize, 0.0);
}

void CappedInningSolver::prepare(const PositionedLineup& lineup) {
    const std::size_t moveCount = m_states.moves.size();
    for (int p = 0; p < kLineupSize; ++p) {
        std::array<double, kOutcomeCount> outcome{};
        for (int k = 0; k < kOutcomeCount; ++k) outcome[k] = lineup[p]->outcome(Outcome(k));
        // factor[factorIndex(d, kind, success)]: the runner who batted d
        // places before p succeeding (or failing) at that advancement.
        std::array<double, kFactorCount> factor{};
        factor.fill(1.0);
        for (int d = 1; d <= m_states.maxDistance; ++d) {
            const QuantisedBatter& runner = *lineup[(p - d + kLineupSize) % kLineupSize];
            for (int kind = 0; kind < kAdvanceCount; ++kind) {
                const std::int32_t draws = runner.advanceDraws[kind];
                factor[factorIndex(d, Advance(kind), true)] = draws / double(engine::kDrawRange);
                factor[factorIndex(d, Advance(kind), false)] =
                    (static_cast<std::int32_t>(engine::kDrawRange) - draws) /
                    double(engine::kDrawRange);
            }
        }
        m_outChance[p] = outcome[kOut];

        // Each move's chance, and per situation the expected runs and squared
        // runs of the plate appearance.
        double* chance = m_moveChance.data() + std::size_t(p) * moveCount;
        double* play = m_playRuns.data() + 2 * std::size_t(p) * m_situationCount;
        for (const auto& situations : m_states.situations) {
            for (const Situation& situation : situations) {
                double runs = 0.0, squaredRuns = 0.0;
                for (int i = 0; i < situation.moveCount; ++i) {
                    const std::size_t m = situation.firstMove + std::size_t(i);
                    const Move& move = m_states.moves[m];
                    chance[m] = outcome[move.outcome] * factor[move.factorA] * factor[move.factorB];
                    runs += chance[m] * move.runs;
                    squaredRuns += chance[m] * move.runs * move.runs;
                }
                *play++ = runs;
                *play++ = squaredRuns;
            }
        }
    }
}

void CappedInningSolver::updateBlock(int outs, int p, const double* same, const double* fewer,
                                     const double* leadoffAfter, double* into) const {
    // A state's values, as six pairs: runs by next leadoff (pairs 0..3 and the
    // first of pair 4), E[R] (second of pair 4), E[R^2] and P(no run) (pair 5).
    constexpr int kPairs = kDims / 2;
    constexpr int kMean = kDims - 3;
    const Pair outChance = {m_outChance[p], m_outChance[p]};
    const auto& situations = m_states.situations[outs];
    const double* moveChance = m_moveChance.data() + std::size_t(p) * m_states.moves.size();
    const double* playRuns =
        m_playRuns.data() + 2 * (std::size_t(p) * m_situationCount + m_situationOffset[outs]);
    Pair leadoff[kPairs - 1];
    for (int i = 0; i < kPairs - 1; ++i) leadoff[i] = Pair{leadoffAfter[2 * i], 0.0};
    for (int i = 0; i < kPairs - 2; ++i) leadoff[i][1] = leadoffAfter[2 * i + 1];
    leadoff[kPairs - 2][1] = 1.0;  // E[R] gains the runs whatever the leadoff

    for (std::size_t s = 0; s < situations.size(); ++s) {
        const Situation& situation = situations[s];
        Pair acc[kPairs] = {};
        double cross = 0.0;  // sum of w * r * E[R'] over the plays
        const Move* move = m_states.moves.data() + situation.firstMove;
        const double* chance = moveChance + situation.firstMove;
        for (int i = 0; i < situation.moveCount; ++i, ++move) {
            const double w = chance[i];
            const double* t = same + std::size_t(move->target) * kDims;
            const Pair wide = {w, w};
            for (int k = 0; k < kPairs - 1; ++k) acc[k] += wide * load(t + 2 * k);
            // A play that scores ends the chance of a scoreless inning.
            acc[kPairs - 1] += Pair{w, move->runs == 0 ? w : 0.0} * load(t + 2 * (kPairs - 1));
            cross += w * move->runs * t[kMean];
        }
        if (fewer != nullptr) {
            const double* t = fewer + std::size_t(situation.outTarget) * kDims;
            for (int k = 0; k < kPairs; ++k) acc[k] += outChance * load(t + 2 * k);
        } else {
            acc[kPairs - 1][1] += outChance[0];  // the third out: no more runs
        }
        // Runs scored now count towards whichever leadoff the inning ends
        // with; E[(r + R')^2] = E[R'^2] + 2 r E[R'] + r^2.
        const double runs = playRuns[2 * s];
        const Pair wideRuns = {runs, runs};
        for (int k = 0; k < kPairs - 1; ++k) acc[k] += wideRuns * leadoff[k];
        acc[kPairs - 1][0] += 2.0 * cross + playRuns[2 * s + 1];

        double* out = into + s * kDims;
        for (int k = 0; k < kPairs; ++k) store(out + 2 * k, acc[k]);
    }
}

HalfInningTable CappedInningSolver::solve(const PositionedLineup& lineup) {
    prepare(lineup);
    // Layer n holds the figures of the rest of an inning that may still last n
    // plate appearances. With none left the inning ends and the batter up
    // leads off the next one.
    std::fill(m_previous.begin(), m_previous.end(), 0.0);
    for (std::size_t i = kDims - 1; i < m_totalValues; i += kDims) m_previous[i] = 1.0;
    std::array<Leadoffs, kOutsPerInning + 1> leadoff{};
    for (auto& level : leadoff) {
        for (int p = 0; p < kLineupSize; ++p) level[p][p] = 1.0;
    }
    std::array<Leadoffs, kOutsPerInning + 1> nextLayer = leadoff;

    for (std::uint32_t n = 1; n <= engine::kMaxPlateAppearancesPerInning; ++n) {
        for (int outs = 0; outs < kOutsPerInning; ++outs) {
            for (int p = 0; p < kLineupSize; ++p) {
                const int after = next(p);
                const double* fewer = outs + 1 < kOutsPerInning
                                          ? m_previous.data() + blockOffset(outs + 1, after)
                                          : nullptr;
                updateBlock(outs, p, m_previous.data() + blockOffset(outs, after), fewer,
                            leadoff[outs][after].data(), m_values.data() + blockOffset(outs, p));
                for (int q = 0; q < kLineupSize; ++q) {
                    nextLayer[outs][p][q] = m_outChance[p] * leadoff[outs + 1][after][q] +
                                            (1.0 - m_outChance[p]) * leadoff[outs][after][q];
                }
            }
        }
        std::swap(m_values, m_previous);
        std::swap(leadoff, nextLayer);
    }

    HalfInningTable table{};
    for (int p = 0; p < kLineupSize; ++p) {
        const double* start = m_previous.data() + blockOffset(0, p);  // situation 0: empty bases
        for (int q = 0; q < kLineupSize; ++q) {
            table.runsByNext[p][q] = start[q];
            table.nextLeadoff[p][q] = leadoff[0][p][q];
        }
        table.meanRuns[p] = start[kDims - 3];
        table.meanSquareRuns[p] = start[kDims - 2];
        table.scoreless[p] = start[kDims - 1];
    }
    table.capped = true;
    return table;
}

}  // namespace diz::exact
