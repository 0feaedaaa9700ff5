#include "exact/half_inning.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace diz::exact {
namespace {

// Sweeping stops once the last update, scaled up to a bound on the error
// left, is below this (relative to the largest value of the block, or
// absolute below 1). The margin covers the second moment, whose error also
// carries twice the runs of a play times the error of the first moment. The
// figures then agree with a solve to rounding level within about 2e-13.
constexpr double kTolerance = 1e-13;
constexpr double kSecondMomentMargin = 2.0;

// Above this bound on the chance that an inning reaches the cap, the
// iterated solve (which ignores the cap) could differ from the engine.
constexpr double kCapNegligible = 1e-16;
// Below that bound nine safe plate appearances in a row have a chance under
// 0.63, so about 600 block updates reach the tolerance; this only guards
// against an endless loop.
constexpr long kMaxUpdates = 100000;

// Two doubles side by side; the compiler keeps them in one vector register.
using Pair = double __attribute__((vector_size(16)));

Pair load(const double* from) {
    Pair v;
    std::memcpy(&v, from, sizeof v);
    return v;
}
void store(double* to, Pair v) { std::memcpy(to, &v, sizeof v); }
Pair absOf(Pair v) { return v < 0.0 ? -v : v; }
Pair maxOf(Pair a, Pair b) { return a > b ? a : b; }

constexpr int next(int p) { return p + 1 == kLineupSize ? 0 : p + 1; }

}  // namespace

HalfInningSolver::HalfInningSolver() : m_states(baseStates()) {
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
    m_moveChance.assign(m_states.moves.size() * kLineupSize, 0.0);
    m_playRuns.assign(2 * m_situationCount * kLineupSize, 0.0);
}

double HalfInningSolver::capReachBound(const PositionedLineup& lineup) {
    double noOutRound = 1.0;
    for (const auto* batter : lineup) noOutRound *= 1.0 - batter->outcome(kOut);
    constexpr int kRounds =
        static_cast<int>(engine::kMaxPlateAppearancesPerInning - 1) / kLineupSize;
    const double withOut = 1.0 - noOutRound;
    return std::pow(noOutRound, kRounds) + kRounds * withOut * std::pow(noOutRound, kRounds - 1) +
           0.5 * kRounds * (kRounds - 1) * withOut * withOut * std::pow(noOutRound, kRounds - 2);
}

bool HalfInningSolver::needsCap(const PositionedLineup& lineup) {
    return capReachBound(lineup) > kCapNegligible;
}

void HalfInningSolver::prepare(const PositionedLineup& lineup) {
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

double HalfInningSolver::updateBlock(int outs, int p, const double* same, const double* fewer,
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

    Pair change = {0.0, 0.0};
    Pair scale = {1.0, 1.0};
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
        for (int k = 0; k < kPairs; ++k) {
            const Pair delta = acc[k] - load(out + 2 * k);
            change = maxOf(change, absOf(delta));
            scale = maxOf(scale, absOf(acc[k]));
            store(out + 2 * k, acc[k]);
        }
    }
    return std::max(change[0], change[1]) / std::max(scale[0], scale[1]);
}

HalfInningTable HalfInningSolver::solve(const PositionedLineup& lineup, bool warmStart) {
    prepare(lineup);
    HalfInningTable table;
    if (needsCap(lineup)) {
        solveCapped(table);
        m_valuesIterated = false;
    } else {
        solveIterated(table, warmStart && m_valuesIterated);
        m_valuesIterated = true;
    }
    return table;
}

void HalfInningSolver::solveIterated(HalfInningTable& table, bool warmStart) {
    // Outs do not depend on the bases, so the next leadoff depends only on
    // the outs and the batter up: leadoff[outs][p][q]. With outs 3 the inning
    // is over and p leads off the next one.
    double noOutRound = 1.0;
    for (double out : m_outChance) noOutRound *= 1.0 - out;
    std::array<Leadoffs, kOutsPerInning + 1> leadoff{};
    for (int p = 0; p < kLineupSize; ++p) leadoff[kOutsPerInning][p][p] = 1.0;
    for (int outs = kOutsPerInning - 1; outs >= 0; --outs) {
        for (int p = 0; p < kLineupSize; ++p) {
            // The next out comes after j safe plate appearances, j = 0..8 in
            // this round or in a later one (geometric in the rounds).
            double safe = 1.0;
            for (int j = 0; j < kLineupSize; ++j) {
                const int batter = (p + j) % kLineupSize;
                const double weight = safe * m_outChance[batter] / (1.0 - noOutRound);
                for (int q = 0; q < kLineupSize; ++q) {
                    leadoff[outs][p][q] += weight * leadoff[outs + 1][next(batter)][q];
                }
                safe *= 1.0 - m_outChance[batter];
            }
        }
    }

    // Each outs level in turn, from two outs down: a block (outs, p) needs the
    // block (outs, p + 1) and the finished level below, so a sweep over
    // p = 8..0 only has to guess the block it starts from. Every round of the
    // order shrinks that guess's error by the chance of nine safe plate
    // appearances, noOutRound < 1 here.
    if (!warmStart) std::fill(m_values.begin(), m_values.end(), 0.0);
    const double errorPerChange = kSecondMomentMargin / (1.0 - noOutRound);
    for (int outs = kOutsPerInning - 1; outs >= 0; --outs) {
        int p = kLineupSize - 1;
        for (long updates = 1;; ++updates) {
            const int after = next(p);
            const double* fewer = outs + 1 < kOutsPerInning
                                      ? m_values.data() + blockOffset(outs + 1, after)
                                      : nullptr;
            const double change =
                updateBlock(outs, p, m_values.data() + blockOffset(outs, after), fewer,
                            leadoff[outs][after].data(), m_values.data() + blockOffset(outs, p));
            // Once every block has been computed from the chain, the largest
            // error left anywhere is at most change / (1 - noOutRound).
            if (updates >= kLineupSize && change * errorPerChange <= kTolerance) break;
            if (updates >= kMaxUpdates) break;  // unreachable below the cap bound
            p = p == 0 ? kLineupSize - 1 : p - 1;
        }
    }

    readStarts(m_values.data(), leadoff[0], table);
    table.capped = false;
}

void HalfInningSolver::readStarts(const double* values, const Leadoffs& leadoff,
                                  HalfInningTable& table) const {
    for (int p = 0; p < kLineupSize; ++p) {
        const double* start = values + blockOffset(0, p);  // situation 0: empty bases
        for (int q = 0; q < kLineupSize; ++q) table.runsByNext[p][q] = start[q];
        table.meanRuns[p] = start[kDims - 3];
        table.meanSquareRuns[p] = start[kDims - 2];
        table.scoreless[p] = start[kDims - 1];
        table.nextLeadoff[p] = leadoff[p];
    }
}

void HalfInningSolver::solveCapped(HalfInningTable& table) {
    // Layer n holds the figures of the rest of an inning that may still last n
    // plate appearances. With none left the inning ends and the batter up
    // leads off the next one.
    m_previous.assign(m_totalValues, 0.0);
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

    readStarts(m_previous.data(), leadoff[0], table);
    table.capped = true;
}

}  // namespace diz::exact
