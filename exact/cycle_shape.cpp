#include "exact/cycle_shape.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

namespace diz::exact {
namespace {

CycleShape build() {
    const BaseStates& states = baseStates();
    CycleShape shape;
    shape.maxDistance = states.maxDistance;

    // newIndex[outs][situation of BaseStates]: its place in the level here,
    // the targets first, each part in BaseStates' order.
    std::array<std::vector<std::uint16_t>, kOutsPerInning> newIndex;
    for (int outs = 0; outs < kOutsPerInning; ++outs) {
        const auto& situations = states.situations[outs];
        std::vector<bool> isTarget(situations.size(), false);
        for (const Situation& s : situations) {
            for (int i = 0; i < s.moveCount; ++i) {
                isTarget[states.moves[s.firstMove + std::size_t(i)].target] = true;
            }
        }
        auto& index = newIndex[outs];
        index.assign(situations.size(), 0);
        std::uint16_t place = 0;
        for (int part = 0; part < 2; ++part) {
            for (std::size_t s = 0; s < situations.size(); ++s) {
                if (isTarget[s] == (part == 0)) index[s] = place++;
            }
        }
        CycleLevel& level = shape.levels[outs];
        level.situations = static_cast<int>(situations.size());
        level.targets = static_cast<int>(std::count(isTarget.begin(), isTarget.end(), true));
        level.paddedTargets = (level.targets + kColumnBlock - 1) / kColumnBlock * kColumnBlock;
    }
    // Every inning starts from the empty bases, situation 0 of no outs.
    if (newIndex[0][0] != 0) std::abort();

    std::map<std::tuple<int, int, int>, std::uint8_t> kindIndex;
    const auto kindOf = [&](const Move& move) {
        const auto [place, added] =
            kindIndex.emplace(std::tuple<int, int, int>{move.outcome, move.factorA, move.factorB},
                              static_cast<std::uint8_t>(shape.kinds.size()));
        if (added) shape.kinds.push_back({move.outcome, move.factorA, move.factorB});
        return place->second;
    };
    for (int outs = 0; outs < kOutsPerInning; ++outs) {
        const auto& situations = states.situations[outs];
        CycleLevel& level = shape.levels[outs];
        std::vector<std::size_t> byNewIndex(situations.size());
        for (std::size_t s = 0; s < situations.size(); ++s) byNewIndex[newIndex[outs][s]] = s;
        level.linkStart.push_back(0);
        level.scorelessStart.push_back(0);
        for (const std::size_t s : byNewIndex) {
            const Situation& situation = situations[s];
            for (int i = 0; i < situation.moveCount; ++i) {
                const Move& move = states.moves[situation.firstMove + std::size_t(i)];
                const CycleLink link{kindOf(move), move.runs, newIndex[outs][move.target]};
                level.links.push_back(link);
                if (move.runs == 0) level.scorelessLinks.push_back(link);
            }
            level.linkStart.push_back(static_cast<std::uint16_t>(level.links.size()));
            level.scorelessStart.push_back(static_cast<std::uint16_t>(level.scorelessLinks.size()));
            level.outTarget.push_back(
                outs + 1 < kOutsPerInning ? newIndex[outs + 1][situation.outTarget] : 0);
        }
        // A play that scores nothing leaves one more runner on base, so the
        // bases fill up after three of them (see scorelessLinks).
        const auto runners = [&](std::size_t s) {
            const Bases& b = situations[byNewIndex[s]].bases;
            return (b[0] != 0) + (b[1] != 0) + (b[2] != 0);
        };
        for (std::size_t s = 0; s < byNewIndex.size(); ++s) {
            for (int i = level.scorelessStart[s]; i < level.scorelessStart[s + 1]; ++i) {
                if (runners(level.scorelessLinks[std::size_t(i)].target) != runners(s) + 1) {
                    std::abort();
                }
            }
        }
        shape.maxSituations = std::max(shape.maxSituations, level.situations);
        shape.maxPaddedTargets = std::max(shape.maxPaddedTargets, level.paddedTargets);
        shape.totalSituations += level.situations;
    }
    // A kind is named by a byte.
    if (shape.kinds.size() > 256) std::abort();
    return shape;
}

}  // namespace

const CycleShape& cycleShape() {
    static const CycleShape shape = build();
    // A kind is named by a byte.
    if (shape.kinds.size() > 256) std::abort();
    return shape;
}

}  // namespace diz::exact
