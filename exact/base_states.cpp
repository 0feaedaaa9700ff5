#include "exact/base_states.h"

#include <cstdlib>
#include <map>

namespace diz::exact {
namespace {

enum Base { kFirst, kSecond, kThird };

// Bases as they stand after the play, with the batter (marked kBatter) on
// base; `next` turns them into the situation of the next batter up.
constexpr std::uint8_t kBatter = 0xFF;

Bases next(Bases after) {
    for (auto& runner : after) {
        if (runner == kBatter) {
            runner = 1;
        } else if (runner != 0) {
            ++runner;
        }
    }
    return after;
}

struct Outgoing {
    Bases bases;
    Outcome outcome;
    int runs;
    std::uint8_t factorA = 0;
    std::uint8_t factorB = 0;
};

int runnersOn(const Bases& b) { return (b[0] != 0) + (b[1] != 0) + (b[2] != 0); }

// Every way a non-out plate appearance can leave the bases `b`, following the
// advancement rules of the game: a single scores the runner from third; the
// runner from second scores on his own 1B2to4 draw; the runner from first
// tries for third (1B1to3) only when second has been vacated; a double scores
// second and third and sends the runner from first home on his 2B1to4 draw;
// a walk moves forced runners only.
std::vector<Outgoing> movesFrom(const Bases& b) {
    std::vector<Outgoing> out;
    const std::uint8_t first = b[kFirst], second = b[kSecond], third = b[kThird];

    // Single.
    for (int secondScores = 0; secondScores < (second ? 2 : 1); ++secondScores) {
        const bool secondLeft = second == 0 || secondScores == 1;
        const std::uint8_t factorSecond =
            second ? factorIndex(second, k1B2to4, secondScores == 1) : 0;
        const bool firstDraws = first != 0 && secondLeft;
        for (int firstTakesThird = 0; firstTakesThird < (firstDraws ? 2 : 1); ++firstTakesThird) {
            Outgoing o{{}, kSingle, (third ? 1 : 0) + secondScores, factorSecond, 0};
            if (firstDraws) o.factorB = factorIndex(first, k1B1to3, firstTakesThird == 1);
            const std::uint8_t onSecond = secondLeft ? 0 : second;
            if (firstTakesThird == 1) {
                o.bases = next({kBatter, 0, first});
            } else {
                o.bases = next({kBatter, first, onSecond});
            }
            out.push_back(o);
        }
    }

    // Double.
    const int doubleRuns = (second ? 1 : 0) + (third ? 1 : 0);
    if (first) {
        out.push_back(
            {next({0, kBatter, 0}), kDouble, doubleRuns + 1, factorIndex(first, k2B1to4, true), 0});
        out.push_back({next({0, kBatter, first}), kDouble, doubleRuns,
                       factorIndex(first, k2B1to4, false), 0});
    } else {
        out.push_back({next({0, kBatter, 0}), kDouble, doubleRuns, 0, 0});
    }

    out.push_back({next({0, 0, kBatter}), kTriple, runnersOn(b), 0, 0});
    out.push_back({next({0, 0, 0}), kHomeRun, runnersOn(b) + 1, 0, 0});

    // Walk.
    if (first && second) {
        out.push_back({next({kBatter, first, second}), kWalk, third ? 1 : 0, 0, 0});
    } else if (first) {
        out.push_back({next({kBatter, first, third}), kWalk, 0, 0, 0});
    } else {
        out.push_back({next({kBatter, second, third}), kWalk, 0, 0, 0});
    }
    return out;
}

BaseStates build() {
    BaseStates states;
    for (int outs = 0; outs < kOutsPerInning; ++outs) {
        // Situations reachable at this many outs: the empty bases, every
        // situation of one out fewer after an out, and whatever plays lead to.
        std::map<Bases, std::uint16_t> index;
        std::vector<Bases> order;
        auto add = [&](const Bases& b) {
            if (index.emplace(b, static_cast<std::uint16_t>(order.size())).second) {
                order.push_back(b);
            }
        };
        add({0, 0, 0});
        if (outs > 0) {
            for (const auto& s : states.situations[outs - 1]) add(next(s.bases));
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            for (const auto& m : movesFrom(order[i])) add(m.bases);
        }

        auto& level = states.situations[outs];
        for (const auto& b : order) {
            for (auto d : b) states.maxDistance = std::max(states.maxDistance, int(d));
            Situation s{b, static_cast<std::uint16_t>(states.moves.size()), 0, 0};
            for (const auto& m : movesFrom(b)) {
                states.moves.push_back({index.at(m.bases), static_cast<std::uint8_t>(m.outcome),
                                        static_cast<std::uint8_t>(m.runs), m.factorA, m.factorB});
                ++s.moveCount;
            }
            level.push_back(s);
        }
        if (outs > 0) {
            // Now that this level is complete, point the previous level's outs here.
            for (auto& s : states.situations[outs - 1]) s.outTarget = index.at(next(s.bases));
        }
    }
    // A runner cannot stay on base through eight plate appearances of others
    // (at most two outs and two walks leave him standing), so distances stay
    // below the batting order's length and every runner is a distinct batter.
    if (states.maxDistance > kMaxDistance) std::abort();
    return states;
}

}  // namespace

const BaseStates& baseStates() {
    static const BaseStates states = build();
    return states;
}

}  // namespace diz::exact
