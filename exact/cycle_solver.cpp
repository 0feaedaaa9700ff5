#include "exact/cycle_solver.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "exact/cycle_shape.h"

// The solve is written once, as templates over the lane count that are always
// inlined, and compiled into one function per path below; only those
// functions carry the target attributes. Nothing compiled for a wider
// instruction set is ever shared with the plain paths, so a processor without
// it never runs such code. (GCC's function multi-versioning would need
// ifuncs, which Windows lacks; the choice is made here instead.)
#define DIZ_INLINE [[gnu::always_inline]] inline

namespace diz::exact {
namespace {

constexpr int kLast = kLineupSize - 1;
constexpr int next(int p) { return p == kLast ? 0 : p + 1; }

// Values kept per situation and batting position by each figure's solve: the
// expected runs, then (when the second moment is wanted) the runs by the next
// inning's leadoff, which share its matrix.
constexpr int kRunDims = 1 + kLineupSize;

struct Job {
    const PositionedLineup* lineups[kMaxLanes];
    int count = 0;
    bool secondMoment = true;
    bool scoreless = true;
    // Null for the table alone.
    const KeptFigures* kept = nullptr;
    RotationFigures* figures = nullptr;
};

// Scratch memory of one path, sized once for the largest level.
template <int W>
struct Workspace {
    explicit Workspace(const CycleShape& shape)
        : chance(std::size_t(kLineupSize) * shape.kinds.size()),
          playRuns(std::size_t(kLineupSize) * shape.maxSituations),
          playSquares(std::size_t(kLineupSize) * shape.maxSituations),
          runs(std::size_t(kLineupSize) * shape.totalSituations * kRunDims),
          squares(std::size_t(kLineupSize) * shape.totalSituations),
          scoreless(std::size_t(kLineupSize) * shape.totalSituations),
          matrix(std::size_t(shape.maxPaddedTargets) * shape.maxPaddedTargets),
          product(std::size_t(shape.maxPaddedTargets) * shape.maxPaddedTargets),
          pivotInverse(std::size_t(shape.maxPaddedTargets)),
          rhs(std::size_t(shape.maxPaddedTargets) * kRunDims),
          rhsNext(std::size_t(shape.maxPaddedTargets) * kRunDims) {
        int base = 0;
        for (int outs = 0; outs < kOutsPerInning; ++outs) {
            levelBase[outs] = base;
            base += kLineupSize * shape.levels[outs].situations;
        }
    }

    // Per batting position: the chance of each outcome, and the factors of
    // the runners' advancement draws (factorIndex; entry 0 is 1).
    Lanes<W> outcome[kLineupSize][kOutcomeCount];
    Lanes<W> factor[kLineupSize][kFactorCount];
    // leadoff[outs][p][q]: the chance that the inning, now at `outs` with p
    // up, ends with q to lead off the next; outs 3 is the inning over.
    Lanes<W> leadoff[kOutsPerInning + 1][kLineupSize][kLineupSize];
    InningTable<W> table;

    // The chance of each kind of move with batter p up, chance[p * kinds +
    // kind]; and for the level being solved, per situation the expected runs
    // and squared runs of its plate appearance [p * situations + s].
    LaneBuffer<W> chance;
    LaneBuffer<W> playRuns;
    LaneBuffer<W> playSquares;
    // Every level's solution, [(levelBase[outs] + p * situations + s) * dims].
    LaneBuffer<W> runs;  // kRunDims, or 1 without the second moment
    LaneBuffer<W> squares;
    LaneBuffer<W> scoreless;
    int levelBase[kOutsPerInning] = {};
    // The cycle's matrix over the targets (rows of paddedTargets), its LU
    // factors in place, and the right-hand sides.
    LaneBuffer<W> matrix;
    LaneBuffer<W> product;
    LaneBuffer<W> pivotInverse;
    LaneBuffer<W> rhs;
    LaneBuffer<W> rhsNext;
};

// The moves one figure follows: all of them, or those that score no run.
struct Links {
    const CycleLink* links;
    const std::uint16_t* start;  // situation s: links[start[s] .. start[s + 1])
};

template <int W>
struct Kernel {
    using V = Lanes<W>;

    const CycleShape& shape;
    Workspace<W>& ws;

    DIZ_INLINE void run(const Job& job) {
        loadLineups(job);
        leadoffs();
        prepareChances();
        const int runDims = job.secondMoment ? kRunDims : 1;
        for (int outs = kOutsPerInning - 1; outs >= 0; --outs) {
            const CycleLevel& level = shape.levels[outs];
            const Links all{level.links.data(), level.linkStart.data()};
            prepareLevel(level, job.secondMoment);
            composeAndFactor(level, all);
            if (job.secondMoment) {
                solveRuns<kRunDims>(outs, all);
                solveSquares(outs, all);
            } else {
                solveRuns<1>(outs, all);
            }
            if (job.scoreless) {
                solveScoreless(outs,
                               Links{level.scorelessLinks.data(), level.scorelessStart.data()});
            }
        }
        readStarts(runDims, job.secondMoment, job.scoreless);
    }

    // Lanes past job.count repeat the last lineup, so that every lane solves
    // a proper chain.
    DIZ_INLINE void loadLineups(const Job& job) {
        constexpr double kDraws = engine::kDrawRange;
        for (int l = 0; l < W; ++l) {
            const PositionedLineup& lineup = *job.lineups[std::min(l, job.count - 1)];
            for (int p = 0; p < kLineupSize; ++p) {
                for (int k = 0; k < kOutcomeCount; ++k) {
                    setLane<W>(ws.outcome[p][k], l, lineup[p]->outcome(Outcome(k)));
                }
                for (int f = 0; f < kFactorCount; ++f) setLane<W>(ws.factor[p][f], l, 1.0);
                // The runner who batted d places before p succeeding (or
                // failing) at each advancement.
                for (int d = 1; d <= shape.maxDistance; ++d) {
                    const QuantisedBatter& runner = *lineup[(p - d + kLineupSize) % kLineupSize];
                    for (int kind = 0; kind < kAdvanceCount; ++kind) {
                        const std::int32_t draws = runner.advanceDraws[kind];
                        setLane<W>(ws.factor[p][factorIndex(d, Advance(kind), true)], l,
                                   draws / kDraws);
                        setLane<W>(
                            ws.factor[p][factorIndex(d, Advance(kind), false)], l,
                            (static_cast<std::int32_t>(engine::kDrawRange) - draws) / kDraws);
                    }
                }
            }
        }
    }

    // Outs do not depend on the bases, so the next leadoff depends only on
    // the outs and the batter up. The next out comes after j = 0..8 safe
    // plate appearances, in this round of the order or in a later one
    // (geometric in the rounds).
    DIZ_INLINE void leadoffs() {
        V noOutRound = V{} + 1.0;
        for (int p = 0; p < kLineupSize; ++p) noOutRound *= 1.0 - ws.outcome[p][kOut];
        const V withOut = 1.0 - noOutRound;
        for (int p = 0; p < kLineupSize; ++p) {
            for (int q = 0; q < kLineupSize; ++q) {
                ws.leadoff[kOutsPerInning][p][q] = V{} + (p == q ? 1.0 : 0.0);
            }
        }
        for (int outs = kOutsPerInning - 1; outs >= 0; --outs) {
            for (int p = 0; p < kLineupSize; ++p) {
                V weight[kLineupSize];
                V safe = V{} + 1.0;
                for (int j = 0; j < kLineupSize; ++j) {
                    const V out = ws.outcome[(p + j) % kLineupSize][kOut];
                    weight[j] = safe * out / withOut;
                    safe *= 1.0 - out;
                }
                for (int q = 0; q < kLineupSize; ++q) {
                    V sum{};
                    for (int j = 0; j < kLineupSize; ++j) {
                        sum += weight[j] * ws.leadoff[outs + 1][next((p + j) % kLineupSize)][q];
                    }
                    ws.leadoff[outs][p][q] = sum;
                }
            }
        }
    }

    // A move's chance: its outcome's, times the factors of the advancement
    // draws that decide it, where there are any (a factor of 1 changes no bit).
    DIZ_INLINE void prepareChances() {
        const int kinds = static_cast<int>(shape.kinds.size());
        for (int p = 0; p < kLineupSize; ++p) {
            V* chance = ws.chance.data() + p * kinds;
            const V* outcome = ws.outcome[p];
            const V* factor = ws.factor[p];
            for (int k = 0; k < kinds; ++k) {
                const MoveKind& kind = shape.kinds[std::size_t(k)];
                V w = outcome[kind.outcome];
                if (kind.factorA != 0) w *= factor[kind.factorA];
                if (kind.factorB != 0) w *= factor[kind.factorB];
                chance[k] = w;
            }
        }
    }

    DIZ_INLINE const V* chanceOf(int p) const {
        return ws.chance.data() + p * static_cast<int>(shape.kinds.size());
    }

    DIZ_INLINE void prepareLevel(const CycleLevel& level, bool secondMoment) {
        const int n = level.situations;
        for (int p = 0; p < kLineupSize; ++p) {
            const V* chance = chanceOf(p);
            for (int s = 0; s < n; ++s) {
                V runs{};
                V squares{};
                for (int i = level.linkStart[std::size_t(s)];
                     i < level.linkStart[std::size_t(s) + 1]; ++i) {
                    const CycleLink& link = level.links[std::size_t(i)];
                    if (link.runs == 0) continue;
                    const double r = link.runs;
                    runs += chance[link.kind] * r;
                    if (secondMoment) squares += chance[link.kind] * r * r;
                }
                ws.playRuns.data()[p * n + s] = runs;
                ws.playSquares.data()[p * n + s] = squares;
            }
        }
    }

    // Columns column .. column + kColumns - 1 of row s of A_p X, with the
    // sums kept in registers.
    template <int kColumns>
    DIZ_INLINE static void productColumns(const Links& links, const V* chance, int s, int column,
                                          int width, const V* x, V* y) {
        V acc[kColumns] = {};
        for (int i = links.start[s]; i < links.start[s + 1]; ++i) {
            const V w = chance[links.links[i].kind];
            const V* row = x + links.links[i].target * width + column;
            for (int k = 0; k < kColumns; ++k) acc[k] += w * row[k];
        }
        for (int k = 0; k < kColumns; ++k) y[s * width + column + k] = acc[k];
    }

    // The cycle's matrix A_0 A_1 ... A_8 over the targets, multiplied from the
    // right, then I minus it factored into LU in place.
    DIZ_INLINE void composeAndFactor(const CycleLevel& level, const Links& links) {
        const int m = level.targets;
        const int width = level.paddedTargets;
        V* x = ws.matrix.data();
        V* y = ws.product.data();
        for (int i = 0; i < m * width; ++i) x[i] = V{};
        const V* chanceLast = chanceOf(kLast);
        for (int s = 0; s < m; ++s) {
            for (int i = links.start[s]; i < links.start[s + 1]; ++i) {
                x[s * width + links.links[i].target] += chanceLast[links.links[i].kind];
            }
        }
        for (int p = kLast - 1; p >= 0; --p) {
            const V* chance = chanceOf(p);
            for (int s = 0; s < m; ++s) {
                int column = 0;
                for (; column + 2 * kColumnBlock <= width; column += 2 * kColumnBlock) {
                    productColumns<2 * kColumnBlock>(links, chance, s, column, width, x, y);
                }
                if (column < width)
                    productColumns<kColumnBlock>(links, chance, s, column, width, x, y);
            }
            std::swap(x, y);
        }
        if (x != ws.matrix.data()) {
            for (int i = 0; i < m * width; ++i) ws.matrix.data()[i] = x[i];
        }

        V* a = ws.matrix.data();
        V* inverse = ws.pivotInverse.data();
        for (int i = 0; i < m; ++i) {
            for (int j = 0; j < m; ++j) a[i * width + j] = -a[i * width + j];
            a[i * width + i] += 1.0;
        }
        for (int k = 0; k < m; ++k) {
            inverse[k] = 1.0 / a[k * width + k];
            for (int i = k + 1; i < m; ++i) {
                const V l = a[i * width + k] * inverse[k];
                a[i * width + k] = l;
                for (int j = k + 1; j < m; ++j) a[i * width + j] -= l * a[k * width + j];
            }
        }
    }

    // Solves the factored system for the D right-hand sides c[target * D + d].
    template <int D>
    DIZ_INLINE void solveFactored(const CycleLevel& level, V* c) {
        const int m = level.targets;
        const int width = level.paddedTargets;
        const V* a = ws.matrix.data();
        const V* inverse = ws.pivotInverse.data();
        for (int i = 1; i < m; ++i) {
            for (int k = 0; k < i; ++k) {
                const V l = a[i * width + k];
                for (int d = 0; d < D; ++d) c[i * D + d] -= l * c[k * D + d];
            }
        }
        for (int i = m - 1; i >= 0; --i) {
            for (int j = i + 1; j < m; ++j) {
                const V u = a[i * width + j];
                for (int d = 0; d < D; ++d) c[i * D + d] -= u * c[j * D + d];
            }
            for (int d = 0; d < D; ++d) c[i * D + d] *= inverse[i];
        }
    }

    // `values` holds b_p of every position and situation of the level. The
    // right-hand side b_0 + A_0 (b_1 + A_1 (... + A_7 b_8)) over the targets,
    // then V_0 from the factored matrix (or as it is when the cycle's matrix
    // is zero), then V_8, V_7, ..., V_0 of every situation in place of the b_p.
    template <int D>
    DIZ_INLINE void solveLevel(const CycleLevel& level, const Links& links, V* values,
                               bool factored) {
        const int n = level.situations;
        const int m = level.targets;
        V* c = ws.rhs.data();
        V* cNext = ws.rhsNext.data();
        for (int i = 0; i < m * D; ++i) c[i] = values[kLast * n * D + i];
        for (int p = kLast - 1; p >= 0; --p) {
            const V* chance = chanceOf(p);
            const V* b = values + p * n * D;
            for (int s = 0; s < m; ++s) {
                V acc[D] = {};
                for (int i = links.start[s]; i < links.start[s + 1]; ++i) {
                    const V w = chance[links.links[i].kind];
                    const V* t = c + links.links[i].target * D;
                    for (int d = 0; d < D; ++d) acc[d] += w * t[d];
                }
                for (int d = 0; d < D; ++d) cNext[s * D + d] = acc[d] + b[s * D + d];
            }
            std::swap(c, cNext);
        }
        if (factored) solveFactored<D>(level, c);

        for (int p = kLast; p >= 0; --p) {
            const V* chance = chanceOf(p);
            const V* from = p == kLast ? c : values + (p + 1) * n * D;
            V* into = values + p * n * D;
            for (int s = 0; s < n; ++s) {
                V acc[D] = {};
                for (int i = links.start[s]; i < links.start[s + 1]; ++i) {
                    const V w = chance[links.links[i].kind];
                    const V* t = from + links.links[i].target * D;
                    for (int d = 0; d < D; ++d) acc[d] += w * t[d];
                }
                for (int d = 0; d < D; ++d) into[s * D + d] += acc[d];
            }
        }
    }

    // The values of the level below (one more out) for batter p + 1 up after
    // the out in situation s; null at two outs, where the out ends the inning.
    DIZ_INLINE const V* below(const LaneBuffer<W>& buffer, int outs, int dims) const {
        if (outs + 1 == kOutsPerInning) return nullptr;
        return buffer.data() + std::size_t(ws.levelBase[outs + 1]) * dims;
    }

    // E[R] and the runs by next leadoff: the runs of the play count towards
    // whichever leadoff the inning ends with.
    template <int D>
    DIZ_INLINE void solveRuns(int outs, const Links& links) {
        const CycleLevel& level = shape.levels[outs];
        const int n = level.situations;
        V* values = ws.runs.data() + std::size_t(ws.levelBase[outs]) * D;
        const V* fewer = below(ws.runs, outs, D);
        const int nFewer = fewer != nullptr ? shape.levels[outs + 1].situations : 0;
        for (int p = 0; p < kLineupSize; ++p) {
            const V out = ws.outcome[p][kOut];
            const V* leadoff = ws.leadoff[outs][next(p)];
            for (int s = 0; s < n; ++s) {
                const V r = ws.playRuns.data()[p * n + s];
                V* b = values + (p * n + s) * D;
                b[0] = r;
                for (int d = 1; d < D; ++d) b[d] = r * leadoff[d - 1];
                if (fewer != nullptr) {
                    const V* u = fewer + (next(p) * nFewer + level.outTarget[std::size_t(s)]) * D;
                    for (int d = 0; d < D; ++d) b[d] += out * u[d];
                }
            }
        }
        solveLevel<D>(level, links, values, true);
    }

    // E[R^2]: E[(r + R')^2] = E[R'^2] + 2 r E[R'] + r^2 over the plays, with
    // E[R'] solved just before.
    DIZ_INLINE void solveSquares(int outs, const Links& links) {
        const CycleLevel& level = shape.levels[outs];
        const int n = level.situations;
        V* values = ws.squares.data() + ws.levelBase[outs];
        const V* mean = ws.runs.data() + std::size_t(ws.levelBase[outs]) * kRunDims;
        const V* fewer = below(ws.squares, outs, 1);
        const int nFewer = fewer != nullptr ? shape.levels[outs + 1].situations : 0;
        for (int p = 0; p < kLineupSize; ++p) {
            const V out = ws.outcome[p][kOut];
            const V* chance = chanceOf(p);
            const V* meanAfter = mean + next(p) * n * kRunDims;
            for (int s = 0; s < n; ++s) {
                V cross{};
                for (int i = links.start[s]; i < links.start[s + 1]; ++i) {
                    const CycleLink& link = links.links[i];
                    if (link.runs == 0) continue;
                    const double r = link.runs;
                    cross += chance[link.kind] * r * meanAfter[link.target * kRunDims];
                }
                V b = ws.playSquares.data()[p * n + s] + 2.0 * cross;
                if (fewer != nullptr) {
                    b += out * fewer[next(p) * nFewer + level.outTarget[std::size_t(s)]];
                }
                values[p * n + s] = b;
            }
        }
        solveLevel<1>(level, links, values, true);
    }

    // P(no run): the third out ends the inning scoreless. The plays that
    // score nothing never go round the order (see CycleLevel), so their
    // cycle's matrix is zero and needs no factoring.
    DIZ_INLINE void solveScoreless(int outs, const Links& links) {
        const CycleLevel& level = shape.levels[outs];
        const int n = level.situations;
        V* values = ws.scoreless.data() + ws.levelBase[outs];
        const V* fewer = below(ws.scoreless, outs, 1);
        const int nFewer = fewer != nullptr ? shape.levels[outs + 1].situations : 0;
        for (int p = 0; p < kLineupSize; ++p) {
            const V out = ws.outcome[p][kOut];
            for (int s = 0; s < n; ++s) {
                values[p * n + s] =
                    fewer != nullptr
                        ? out * fewer[next(p) * nFewer + level.outTarget[std::size_t(s)]]
                        : out;
            }
        }
        solveLevel<1>(level, links, values, false);
    }

    // Innings start with no outs and the bases empty: situation 0 of level 0.
    DIZ_INLINE void readStarts(int runDims, bool secondMoment, bool scoreless) {
        const int n = shape.levels[0].situations;
        InningTable<W>& t = ws.table;
        for (int p = 0; p < kLineupSize; ++p) {
            const V* start = ws.runs.data() + std::size_t(p) * n * runDims;
            t.meanRuns[p] = start[0];
            for (int q = 0; q < kLineupSize; ++q) {
                t.nextLeadoff[p][q] = ws.leadoff[0][p][q];
                t.runsByNext[p][q] = secondMoment ? start[1 + q] : V{};
            }
            t.meanSquareRuns[p] = secondMoment ? ws.squares.data()[p * n] : V{};
            t.scoreless[p] = scoreless ? ws.scoreless.data()[p * n] : V{};
        }
    }
};

template <int W>
DIZ_INLINE void runJob(const CycleShape& shape, Workspace<W>& ws, const Job& job) {
    Kernel<W>{shape, ws}.run(job);
    if (job.figures != nullptr) {
        rotationFiguresOf<W>(ws.table, *job.kept, job.figures, job.count);
    }
}

void runOne(const CycleShape& shape, Workspace<1>& ws, const Job& job) {
    runJob<1>(shape, ws, job);
}

[[gnu::target("avx2")]] void runFourAvx2(const CycleShape& shape, Workspace<4>& ws,
                                         const Job& job) {
    runJob<4>(shape, ws, job);
}

[[gnu::target("avx512f")]] void runEightAvx512(const CycleShape& shape, Workspace<8>& ws,
                                               const Job& job) {
    runJob<8>(shape, ws, job);
}

}  // namespace

class CycleSolver::Engine {
  public:
    virtual ~Engine() = default;
    virtual void run(const Job& job) = 0;
    virtual void readTable(HalfInningTable& table) const = 0;
};

namespace {

template <int W, void (*kRun)(const CycleShape&, Workspace<W>&, const Job&)>
class EngineOf final : public CycleSolver::Engine {
  public:
    EngineOf() : m_shape(cycleShape()), m_workspace(m_shape) {}

    void run(const Job& job) override { kRun(m_shape, m_workspace, job); }

    void readTable(HalfInningTable& table) const override {
        const InningTable<W>& t = m_workspace.table;
        for (int p = 0; p < kLineupSize; ++p) {
            for (int q = 0; q < kLineupSize; ++q) {
                table.nextLeadoff[p][q] = lane<W>(t.nextLeadoff[p][q], 0);
                table.runsByNext[p][q] = lane<W>(t.runsByNext[p][q], 0);
            }
            table.meanRuns[p] = lane<W>(t.meanRuns[p], 0);
            table.meanSquareRuns[p] = lane<W>(t.meanSquareRuns[p], 0);
            table.scoreless[p] = lane<W>(t.scoreless[p], 0);
        }
    }

  private:
    const CycleShape& m_shape;
    Workspace<W> m_workspace;
};

}  // namespace

int laneCount(LanePath path) {
    switch (path) {
        case LanePath::kOne:
            return 1;
        case LanePath::kFourAvx2:
            return 4;
        case LanePath::kEightAvx512:
            return 8;
    }
    return 1;
}

const char* pathName(LanePath path) {
    switch (path) {
        case LanePath::kOne:
            return "one lane";
        case LanePath::kFourAvx2:
            return "four lanes, AVX2";
        case LanePath::kEightAvx512:
            return "eight lanes, AVX-512";
    }
    return "";
}

bool pathSupported(LanePath path) {
    __builtin_cpu_init();
    switch (path) {
        case LanePath::kOne:
            return true;
        case LanePath::kFourAvx2:
            return __builtin_cpu_supports("avx2");
        case LanePath::kEightAvx512:
            return __builtin_cpu_supports("avx512f");
    }
    return false;
}

LanePath widestPath() {
    static const LanePath widest = [] {
        for (const LanePath path : {LanePath::kEightAvx512, LanePath::kFourAvx2}) {
            if (pathSupported(path)) return path;
        }
        return LanePath::kOne;
    }();
    return widest;
}

CycleSolver::CycleSolver(LanePath path) : m_path(path) {
    if (!pathSupported(path)) std::abort();
}

CycleSolver::~CycleSolver() = default;
CycleSolver::CycleSolver(CycleSolver&&) noexcept = default;
CycleSolver& CycleSolver::operator=(CycleSolver&&) noexcept = default;

CycleSolver::Engine& CycleSolver::engine() {
    if (!m_engine) {
        switch (m_path) {
            case LanePath::kOne:
                m_engine = std::make_unique<EngineOf<1, runOne>>();
                break;
            case LanePath::kFourAvx2:
                m_engine = std::make_unique<EngineOf<4, runFourAvx2>>();
                break;
            case LanePath::kEightAvx512:
                m_engine = std::make_unique<EngineOf<8, runEightAvx512>>();
                break;
        }
    }
    return *m_engine;
}

void CycleSolver::solve(std::span<const PositionedLineup> lineups, const KeptFigures& kept,
                        std::span<RotationFigures> figures) {
    Job job;
    job.count = static_cast<int>(lineups.size());
    for (int l = 0; l < job.count; ++l) job.lineups[l] = &lineups[std::size_t(l)];
    job.secondMoment = kept.sdRuns;
    job.scoreless = kept.inningScoring;
    job.kept = &kept;
    job.figures = figures.data();
    engine().run(job);
}

HalfInningTable CycleSolver::table(const PositionedLineup& lineup) {
    Job job;
    job.count = 1;
    job.lineups[0] = &lineup;
    Engine& e = engine();
    e.run(job);
    HalfInningTable table{};
    e.readTable(table);
    return table;
}

}  // namespace diz::exact
