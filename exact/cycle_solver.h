// Half-innings solved directly round the batting cycle, several lineups in
// lockstep.
//
// Within one number of outs, the situations with batting position p up lead,
// by a plate appearance that is not an out, only to situations with p + 1 up
// at the same outs, and by an out to the level with one more out, solved
// before. Each figure is therefore an affine map of the next position's
// values, V_p = A_p V_(p+1) + b_p, and going round the order once composes
// the nine maps into one small linear system for position 0 alone, over the
// situations a plate appearance can lead to (cycle_shape.h):
//   (I - A_0 A_1 ... A_8) V_0 = b_0 + A_0 b_1 + ... + A_0 ... A_7 b_8.
// Its matrix is diagonally dominant (every row of the product sums to the
// chance of nine plate appearances without an out, below 1), so it is
// factored once without pivoting; the other eight positions follow by
// substituting back. The expected runs, the runs by next leadoff and the
// second moment share the matrix; the chance of a scoreless inning follows
// only the plays that score nothing, which never go round the whole order, so
// its cycle's matrix is zero and the composed right-hand side is V_0 itself.
//
// The lanes of a path run the same operations on different lineups, so every
// path gives the same bits (see lanes.h); a narrower path is only slower.
#pragma once

#include <array>
#include <memory>
#include <span>

#include "diz/exact/exact_evaluator.h"
#include "exact/game_figures.h"
#include "exact/half_inning.h"

namespace diz::exact {

// The ways a solve can run: one lineup at a time on any x86-64 processor,
// four in lockstep with AVX2, or eight with AVX-512. (Four lanes on the plain
// instructions, two registers apiece, are slower than one.)
enum class LanePath { kOne, kFourAvx2, kEightAvx512 };
inline constexpr std::array<LanePath, 3> kLanePaths{LanePath::kOne, LanePath::kFourAvx2,
                                                    LanePath::kEightAvx512};

int laneCount(LanePath path);
const char* pathName(LanePath path);
// True when this processor and its system run `path`.
bool pathSupported(LanePath path);
// The widest supported path (eight lanes, then four, then one); the choice is
// made once.
LanePath widestPath();

// Holds the scratch memory of its path, made on the first solve, so repeated
// solves allocate nothing. One solver per thread.
class CycleSolver {
  public:
    // `path` must be supported.
    explicit CycleSolver(LanePath path = widestPath());
    ~CycleSolver();
    CycleSolver(CycleSolver&&) noexcept;
    CycleSolver& operator=(CycleSolver&&) noexcept;

    LanePath path() const { return m_path; }
    int lanes() const { return laneCount(m_path); }

    // figures[k]: the rotations of lineups[k], for 1 <= lineups.size() <=
    // lanes() lineups of which none needsCap(), and figures as long. Only the
    // figures `kept` asks for are worked out (see rotationFiguresOf).
    void solve(std::span<const PositionedLineup> lineups, const KeptFigures& kept,
               std::span<RotationFigures> figures);

    // Every half-inning figure of `lineup`, which must not needsCap().
    HalfInningTable table(const PositionedLineup& lineup);

    class Engine;

  private:
    Engine& engine();

    LanePath m_path;
    std::unique_ptr<Engine> m_engine;
};

}  // namespace diz::exact
