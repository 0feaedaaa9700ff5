// The order file and the lineup patterns: which orders a run evaluates, read
// from the lines of an order file or made as every ordering of the batters.
#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diz/lineup.h"
#include "text_io.h"

namespace diz {

inline constexpr int kPatternCount = 6;
inline constexpr int kPatternMaxBytes = 9;

// Up to nine characters; '*' matches any character of an order line.
using LineupPattern = std::string;
using Patterns = std::array<LineupPattern, kPatternCount>;

// The order file is read in pieces of at most this many characters, line end
// included; the rest of a longer line is a line of its own.
inline constexpr std::size_t kOrderLineMaxChars = 19;

// True when each of the pattern's first nine characters is '*' or equals the
// line's character at that position, byte for byte. A pattern shorter than nine
// characters accepts nothing; a line shorter than nine characters ends in NULs
// for the comparison.
bool patternAccepts(std::string_view pattern, std::string_view line);

// The batter rows of the line's first nine characters, or nothing when one of
// them is not a letter 'a'..'i' (upper case, digits, blanks and line ends fail).
std::optional<BattingOrder> mapOrder(std::string_view line);

// The order of the line when one of the patterns, tried in order 1 to 6,
// accepts it and it maps to nine batters; nothing when the line is not selected.
std::optional<BattingOrder> selectOrder(std::string_view line, const Patterns& patterns);

// One order a run evaluates: its nine letters as the result line echoes them,
// and the batter rows they name.
struct SelectedOrder {
    std::string text;
    BattingOrder order{};
};

// The orders of a run, one at a time: the selected pieces of an order file in
// file order (a line listed twice comes twice), or every ordering of the nine
// different batters in lexicographic order, "abcdefghi" to "ihgfedcba".
class OrderSource {
  public:
    // The pieces of `in` (opened in binary mode) that `patterns` select. `in`
    // must outlive the source.
    OrderSource(std::istream& in, const Patterns& patterns);
    // Every ordering; with `filter`, only those it selects. With
    // `rotationsTogether` the same orderings come set by set instead: the
    // selected rotations of one ordering one after the other (in lexicographic
    // order), the sets in the order their first selected ordering has in
    // lexicographic order. An exact evaluation, which solves the rotations of
    // an ordering together, then has to remember only the sets at hand.
    explicit OrderSource(const std::optional<Patterns>& filter, bool rotationsTogether = false);

    // The next order, or false at the end.
    bool next(SelectedOrder& out);

  private:
    std::optional<Patterns> m_patterns;
    std::optional<LinePieceReader> m_reader;  // set when reading an order file
    std::string m_piece;
    BattingOrder m_ordering{};  // the next ordering when making every one
    bool m_orderingsLeft = true;
    // Set by set: one ordering of each set still to come (m_sets[m_set] on),
    // and the sorted rotations of the current set from m_rotation on.
    std::vector<BattingOrder> m_sets;
    std::size_t m_set = 0;
    std::array<BattingOrder, kLineupSize> m_rotations{};
    int m_rotation = kLineupSize;

    bool selects(const BattingOrder& order, std::string& text) const;
};

}  // namespace diz
