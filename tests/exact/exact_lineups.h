// Lineups and orderings shared by the exact-evaluation tests.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "diz/exact/exact_evaluator.h"
#include "test_lineups.h"

namespace diz::test {

inline exact::Batters nineCopies(const BatterRecord& b) {
    exact::Batters batters;
    batters.fill(b);
    return batters;
}

// Nine different batters, among them rates of exactly 0 and 1, rates above 1
// and below 0, and a batter who rarely makes an out.
inline exact::Batters mixedBatters() {
    return {{
        {'a', 0.15, 0.05, 0.01, 0.03, 0.10, 0.0, 1.0, 1.3},
        {'b', 0.20, 0.06, 0.00, 0.01, 0.08, 1.0, 0.0, 0.5},
        {'c', 0.10, 0.02, 0.02, 0.05, 0.15, 0.3, 0.6, 0.0},
        {'d', 0.25, 0.04, 0.005, 0.0, 0.05, 1.2, 0.7, 1.0},
        {'e', 0.12, 0.03, 0.01, 0.06, 0.12, 0.5, -0.1, 0.4},
        {'f', 0.30, 0.15, 0.05, 0.10, 0.35, 0.25, 0.5, 0.4},
        {'g', 0.05, 0.01, 0.0, 0.0, 0.04, 0.1, 0.2, 0.3},
        {'h', 0.22, 0.08, 0.03, 0.04, 0.11, 0.8, 0.9, 0.95},
        {'i', 0.02, 0.0, 0.0, 0.0, 0.01, 0.5, 0.5, 0.5},
    }};
}

// The mixed batters with 'f' getting more hits and walks than he has plate
// appearances: he never makes an out.
inline exact::Batters neverOutBatters() {
    exact::Batters batters = mixedBatters();
    batters[5] = {'f', 0.45, 0.2, 0.05, 0.2, 0.3, 0.6, 0.7, 0.8};
    return batters;
}

// Sluggers: home runs, triples and doubles far beyond any real batter, and
// every advancement rate 0 or 1.
inline exact::Batters powerBatters() {
    exact::Batters batters;
    for (int i = 0; i < kLineupSize; ++i) {
        const double power = 0.05 * (i + 1);
        batters[i] = {char('a' + i),       0.1,          0.15, 0.05, power, 0.05, double(i % 2),
                      double((i / 2) % 2), double(i < 4)};
    }
    return batters;
}

struct NamedBatters {
    std::string name;
    exact::Batters batters;
};

// The batter sets the exact figures are checked on.
inline std::vector<NamedBatters> checkedBatters() {
    return {{"reference", nineCopies(referenceBatter())},
            {"mixed", mixedBatters()},
            {"never-out", neverOutBatters()},
            {"power", powerBatters()}};
}

inline constexpr BattingOrder kNatural{0, 1, 2, 3, 4, 5, 6, 7, 8};

// Every ordering of the nine batters (9!), in lexicographic order.
inline std::vector<BattingOrder> allOrderings() {
    std::vector<BattingOrder> orders;
    orders.reserve(kOrderings);
    BattingOrder order = kNatural;
    do {
        orders.push_back(order);
    } while (std::next_permutation(order.begin(), order.end()));
    return orders;
}

inline BattingOrder rotated(const BattingOrder& order, int k) {
    BattingOrder r{};
    for (int i = 0; i < kLineupSize; ++i) r[i] = order[(i + k) % kLineupSize];
    return r;
}

}  // namespace diz::test
