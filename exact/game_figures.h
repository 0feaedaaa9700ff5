// A game's figures from the half-inning figures of an order: nine innings
// chained through the leadoff, the first led off by a given batting position.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "diz/exact/exact_evaluator.h"
#include "diz/exact/exact_figures.h"
#include "diz/lineup.h"
#include "exact/half_inning.h"
#include "exact/lanes.h"

namespace diz::exact {

// Entry k: the order that starts with batting position k of the order its
// table was solved for (rotation 0 is the order itself). The rotations share
// the table, since an inning led off by a given batter is the same inning in
// all of them.
using RotationFigures = std::array<ExactFigures, kLineupSize>;

namespace detail {

template <int W>
[[gnu::always_inline]] inline void times(const Lanes<W> (&m)[kLineupSize][kLineupSize],
                                         const Lanes<W> (&v)[kLineupSize],
                                         Lanes<W> (&out)[kLineupSize]) {
    for (int p = 0; p < kLineupSize; ++p) {
        Lanes<W> sum{};
        for (int q = 0; q < kLineupSize; ++q) sum += m[p][q] * v[q];
        out[p] = sum;
    }
}

}  // namespace detail

// The figures of every rotation of the first `count` of the W orders of
// `t`: figures[l] for order l. Only the figures `kept` asks for are worked
// out, the others are zero; the expected runs always, to the same bits
// whichever others are kept. Everything is a function of the first leadoff,
// so each figure is computed as a vector over it and every rotation reads its
// own entry.
template <int W>
[[gnu::always_inline]] inline void rotationFiguresOf(const InningTable<W>& t,
                                                     const KeptFigures& kept,
                                                     RotationFigures* figures, int count) {
    using V = Lanes<W>;
    // Inning i led off by p is the first inning led off by whoever leads off
    // inning i: E[runs of inning i] = (L^(i-1) m)[p] for the leadoff matrix L.
    V inningRuns[kInnings][kLineupSize];
    V inningScoring[kInnings][kLineupSize];
    if (kept.inningRuns) {
        for (int p = 0; p < kLineupSize; ++p) inningRuns[0][p] = t.meanRuns[p];
        for (int i = 1; i < kInnings; ++i) {
            detail::times<W>(t.nextLeadoff, inningRuns[i - 1], inningRuns[i]);
        }
    }
    if (kept.inningScoring) {
        for (int p = 0; p < kLineupSize; ++p) inningScoring[0][p] = 1.0 - t.scoreless[p];
        for (int i = 1; i < kInnings; ++i) {
            detail::times<W>(t.nextLeadoff, inningScoring[i - 1], inningScoring[i]);
        }
    }

    // Runs of innings i..9 (G) and their square (H), backwards from the last
    // inning. An inning's runs and the later innings' runs are independent
    // given the leadoff in between, so
    //   G_i = m + L G_(i+1),   H_i = m2 + 2 J G_(i+1) + L H_(i+1)
    // with J[p][q] = E[runs; next leadoff q].
    V later[kLineupSize] = {};
    V laterSquare[kLineupSize] = {};
    V carried[kLineupSize];
    V cross[kLineupSize];
    V carriedSquare[kLineupSize];
    for (int i = kInnings - 1; i >= 0; --i) {
        detail::times<W>(t.nextLeadoff, later, carried);
        if (kept.sdRuns) {
            detail::times<W>(t.runsByNext, later, cross);
            detail::times<W>(t.nextLeadoff, laterSquare, carriedSquare);
            for (int p = 0; p < kLineupSize; ++p) {
                laterSquare[p] = t.meanSquareRuns[p] + 2.0 * cross[p] + carriedSquare[p];
            }
        }
        for (int p = 0; p < kLineupSize; ++p) later[p] = t.meanRuns[p] + carried[p];
    }

    for (int l = 0; l < count; ++l) {
        for (int k = 0; k < kLineupSize; ++k) {
            ExactFigures& f = figures[l][k];
            f = ExactFigures{};
            const double mean = lane<W>(later[k], l);
            f.meanRuns = mean;
            if (kept.sdRuns) {
                f.sdRuns = std::sqrt(std::max(0.0, lane<W>(laterSquare[k], l) - mean * mean));
            }
            for (int i = 0; i < kInnings; ++i) {
                if (kept.inningRuns) f.inningRuns[i] = lane<W>(inningRuns[i][k], l);
                if (kept.inningScoring) f.inningScoring[i] = lane<W>(inningScoring[i][k], l);
            }
        }
    }
}

// Every figure of every rotation of the order `table` was solved for.
RotationFigures rotationFigures(const HalfInningTable& table);

// The figures of rotation `leadoff` alone.
ExactFigures gameFigures(const HalfInningTable& table, int leadoff);

}  // namespace diz::exact
