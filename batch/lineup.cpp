#include "lineup.h"

#include <istream>

namespace diz {
namespace {

char charAt(std::string_view line, std::size_t i) { return i < line.size() ? line[i] : '\0'; }

}  // namespace

bool patternAccepts(std::string_view pattern, std::string_view line) {
    // A C string ends at its first NUL; so does a pattern here.
    pattern = pattern.substr(0, pattern.find('\0'));
    if (pattern.size() < kLineupLength) return false;
    for (std::size_t i = 0; i < kLineupLength; ++i) {
        if (pattern[i] != '*' && pattern[i] != charAt(line, i)) return false;
    }
    return true;
}

std::optional<BattingOrder> mapOrder(std::string_view line) {
    BattingOrder order{};
    for (std::size_t i = 0; i < kLineupLength; ++i) {
        const char c = charAt(line, i);
        if (c < 'a' || c > 'i') return std::nullopt;
        order[i] = static_cast<std::uint8_t>(c - 'a');
    }
    return order;
}

std::optional<Lineup> mapLineup(std::string_view line,
                                const std::array<BatterRecord, kBatterCount>& records) {
    const auto order = mapOrder(line);
    if (!order) return std::nullopt;
    Lineup lineup{};
    for (std::size_t i = 0; i < kLineupLength; ++i) lineup[i] = &records[(*order)[i]];
    return lineup;
}

std::optional<BattingOrder> selectOrder(std::string_view line, const Patterns& patterns) {
    for (const LineupPattern& pattern : patterns) {
        if (!patternAccepts(pattern, line)) continue;
        if (auto order = mapOrder(line)) return order;
    }
    return std::nullopt;
}

std::optional<Lineup> selectLineup(std::string_view line, const Patterns& patterns,
                                   const std::array<BatterRecord, kBatterCount>& records) {
    if (!selectOrder(line, patterns)) return std::nullopt;
    return mapLineup(line, records);
}

OrderFileReader::OrderFileReader(std::istream& in) : m_reader(in, kOrderLineMaxChars) {}

bool OrderFileReader::next(std::string& piece) { return m_reader.next(piece); }

std::size_t forEachSelectedOrder(
    std::istream& in, const Patterns& patterns,
    const std::function<void(std::string_view line, const BattingOrder& order)>& visit) {
    OrderFileReader reader(in);
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
