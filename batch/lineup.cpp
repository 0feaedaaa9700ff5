#include "lineup.h"

#include <algorithm>
#include <istream>
#include <numeric>

namespace diz {
namespace {

char charAt(std::string_view line, std::size_t i) { return i < line.size() ? line[i] : '\0'; }

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

OrderSource::OrderSource(const std::optional<Patterns>& filter) : m_patterns(filter) {
    std::iota(m_ordering.begin(), m_ordering.end(), std::uint8_t{0});
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
        out.text.resize(kLineupSize);
        for (std::size_t i = 0; i < kLineupSize; ++i) {
            out.text[i] = static_cast<char>('a' + m_ordering[i]);
        }
        out.order = m_ordering;
        m_orderingsLeft = std::next_permutation(m_ordering.begin(), m_ordering.end());
        if (!m_patterns || selectOrder(out.text, *m_patterns)) return true;
    }
    return false;
}

std::size_t forEachSelectedOrder(
    std::istream& in, const Patterns& patterns,
    const std::function<void(std::string_view line, const BattingOrder& order)>& visit) {
    LinePieceReader reader(in, kOrderLineMaxChars);
    std::string piece;
    std::size_t selected = 0;
    while (reader.next(piece)) {
        if (const auto order = selectOrder(piece, patterns)) {
            ++selected;
            if (visit) visit(piece, *order);
        }
    }
    return selected;
}

}  // namespace diz
