#include "lineup.h"

#include <algorithm>
#include <istream>
#include <numeric>

namespace diz {
namespace {

char charAt(std::string_view line, std::size_t i) { return i < line.size() ? line[i] : '\0'; }

std::array<BattingOrder, kLineupSize> sortedRotations(const BattingOrder& order) {
    std::array<BattingOrder, kLineupSize> rotations{};
    for (std::size_t k = 0; k < kLineupSize; ++k) {
        for (std::size_t i = 0; i < kLineupSize; ++i) {
            rotations[k][i] = order[(k + i) % kLineupSize];
        }
    }
    std::sort(rotations.begin(), rotations.end());
    return rotations;
}

}  // namespace

bool patternAccepts(std::string_view pattern, std::string_view line) {
    // A C string ends at its first NUL; so does a pattern here.
    pattern = pattern.substr(0, pattern.find('\0'));
    if (pattern.size() < kLineupSize) return false;
    for (std::size_t i = 0; i < kLineupSize; ++i) {
        if (pattern[i] != '*' && pattern[i] != charAt(line, i)) return false;
    }
    return true;
}

std::optional<BattingOrder> mapOrder(std::string_view line) {
    BattingOrder order{};
    for (std::size_t i = 0; i < kLineupSize; ++i) {
        const char c = charAt(line, i);
        if (c < 'a' || c > 'i') return std::nullopt;
        order[i] = static_cast<std::uint8_t>(c - 'a');
    }
    return order;
}

std::optional<BattingOrder> selectOrder(std::string_view line, const Patterns& patterns) {
    const auto order = mapOrder(line);
    if (!order) return std::nullopt;
    for (const LineupPattern& pattern : patterns) {
        if (patternAccepts(pattern, line)) return order;
    }
    return std::nullopt;
}

OrderSource::OrderSource(std::istream& in, const Patterns& patterns)
    : m_patterns(patterns), m_reader(std::in_place, in, kOrderLineMaxChars) {}

OrderSource::OrderSource(const std::optional<Patterns>& filter, bool rotationsTogether)
    : m_patterns(filter) {
    std::iota(m_ordering.begin(), m_ordering.end(), std::uint8_t{0});
    if (!rotationsTogether) return;
    m_orderingsLeft = false;
    // Each set of rotations once, by its rotation that starts with batter a.
    // Without a filter that rotation is the set's first, and the sets come in
    // its order as they are made.
    BattingOrder order = m_ordering;
    if (!m_patterns) {
        m_sets.reserve(kOrderings / kLineupSize);
        do {
            m_sets.push_back(order);
        } while (std::next_permutation(order.begin() + 1, order.end()));
        return;
    }
    // Otherwise keyed by its first selected rotation.
    std::vector<std::pair<BattingOrder, BattingOrder>> sets;
    std::string text;
    do {
        for (const BattingOrder& rotation : sortedRotations(order)) {
            if (selects(rotation, text)) {
                sets.emplace_back(rotation, order);
                break;
            }
        }
    } while (std::next_permutation(order.begin() + 1, order.end()));
    std::sort(sets.begin(), sets.end());
    m_sets.reserve(sets.size());
    for (const auto& set : sets) m_sets.push_back(set.second);
}

bool OrderSource::selects(const BattingOrder& order, std::string& text) const {
    text.resize(kLineupSize);
    for (std::size_t i = 0; i < kLineupSize; ++i) text[i] = static_cast<char>('a' + order[i]);
    return !m_patterns || selectOrder(text, *m_patterns).has_value();
}

bool OrderSource::next(SelectedOrder& out) {
    if (m_reader) {
        while (m_reader->next(m_piece)) {
            if (const auto order = selectOrder(m_piece, *m_patterns)) {
                out.text.assign(m_piece, 0, kLineupSize);
                out.order = *order;
                return true;
            }
        }
        return false;
    }
    while (m_orderingsLeft) {
        out.order = m_ordering;
        m_orderingsLeft = std::next_permutation(m_ordering.begin(), m_ordering.end());
        if (selects(out.order, out.text)) return true;
    }
    for (;;) {
        if (m_rotation == kLineupSize) {
            if (m_set == m_sets.size()) return false;
            m_rotations = sortedRotations(m_sets[m_set++]);
            m_rotation = 0;
        }
        out.order = m_rotations[static_cast<std::size_t>(m_rotation++)];
        if (selects(out.order, out.text)) return true;
    }
}

}  // namespace diz
