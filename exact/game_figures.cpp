#include "exact/game_figures.h"

#include <algorithm>
#include <cmath>

namespace diz::exact {
namespace {

using Vector = PerPosition<double>;
using Matrix = PerPosition<PerPosition<double>>;

Vector times(const Matrix& m, const Vector& v) {
    Vector out{};
    for (int p = 0; p < kLineupSize; ++p) {
        double sum = 0.0;
        for (int q = 0; q < kLineupSize; ++q) sum += m[p][q] * v[q];
        out[p] = sum;
    }
    return out;
}

// Everything is a function of the first leadoff, so each figure is computed
// as a vector over it and every rotation reads its own entry.
struct PerLeadoff {
    std::array<Vector, kInnings> inningRuns{};
    std::array<Vector, kInnings> inningScoring{};
    Vector mean{};
    Vector meanSquare{};
};

PerLeadoff figuresByLeadoff(const HalfInningTable& t) {
    PerLeadoff f;
    // Inning i led off by p is the first inning led off by whoever leads off
    // inning i: E[runs of inning i] = (L^(i-1) m)[p] for the leadoff matrix L.
    Vector scoring{};
    for (int p = 0; p < kLineupSize; ++p) scoring[p] = 1.0 - t.scoreless[p];
    f.inningRuns[0] = t.meanRuns;
    f.inningScoring[0] = scoring;
    for (int i = 1; i < kInnings; ++i) {
        f.inningRuns[i] = times(t.nextLeadoff, f.inningRuns[i - 1]);
        f.inningScoring[i] = times(t.nextLeadoff, f.inningScoring[i - 1]);
    }

    // Runs of innings i..9 (G) and their square (H), backwards from the last
    // inning. An inning's runs and the later innings' runs are independent
    // given the leadoff in between, so
    //   G_i = m + L G_(i+1),   H_i = m2 + 2 J G_(i+1) + L H_(i+1)
    // with J[p][q] = E[runs; next leadoff q].
    Vector later{};
    Vector laterSquare{};
    for (int i = kInnings - 1; i >= 0; --i) {
        const Vector carried = times(t.nextLeadoff, later);
        const Vector cross = times(t.runsByNext, later);
        const Vector carriedSquare = times(t.nextLeadoff, laterSquare);
        for (int p = 0; p < kLineupSize; ++p) {
            laterSquare[p] = t.meanSquareRuns[p] + 2.0 * cross[p] + carriedSquare[p];
            later[p] = t.meanRuns[p] + carried[p];
        }
    }
    f.mean = later;
    f.meanSquare = laterSquare;
    return f;
}

ExactFigures pick(const PerLeadoff& f, int leadoff) {
    ExactFigures out;
    out.meanRuns = f.mean[leadoff];
    out.sdRuns =
        std::sqrt(std::max(0.0, f.meanSquare[leadoff] - f.mean[leadoff] * f.mean[leadoff]));
    for (int i = 0; i < kInnings; ++i) {
        out.inningRuns[i] = f.inningRuns[i][leadoff];
        out.inningScoring[i] = f.inningScoring[i][leadoff];
    }
    return out;
}

}  // namespace

std::array<ExactFigures, kLineupSize> rotationFigures(const HalfInningTable& table) {
    const PerLeadoff f = figuresByLeadoff(table);
    std::array<ExactFigures, kLineupSize> out;
    for (int k = 0; k < kLineupSize; ++k) out[k] = pick(f, k);
    return out;
}

ExactFigures gameFigures(const HalfInningTable& table, int leadoff) {
    return pick(figuresByLeadoff(table), leadoff);
}

}  // namespace diz::exact
