// The order file and the lineup patterns: which lines of the order file are
// simulated, and how a line becomes the nine-entry lineup of the engine.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "batter_table.h"
#include "diz/lineup.h"
#include "text_io.h"
#include "window_model.h"

namespace diz {

// The order file is read in pieces of at most this many characters, line end
// included; the rest of a longer line is a line of its own.
inline constexpr std::size_t kOrderLineMaxChars = 19;

inline constexpr int kLineupLength = 9;

using Patterns = std::array<LineupPattern, kPatternCount>;

// Batting positions 1..9 as references into the run's nine records.
using Lineup = std::array<const BatterRecord*, kLineupLength>;

// True when each of the pattern's first nine characters is '*' or equals the
// line's character at that position, byte for byte. A pattern shorter than nine
// characters accepts nothing; a line shorter than nine characters ends in NULs
// for the comparison.
bool patternAccepts(std::string_view pattern, std::string_view line);

// The batter rows of the line's first nine characters, or nothing when one of
// them is not a letter 'a'..'i' (upper case, digits, blanks and line ends fail).
std::optional<BattingOrder> mapOrder(std::string_view line);

// The same as references into `records` (row r is records[r]).
std::optional<Lineup> mapLineup(std::string_view line,
                                const std::array<BatterRecord, kBatterCount>& records);

// The order of the first pattern, in order 1 to 6, that accepts the line and
// whose mapping succeeds; nothing when the line is not selected.
std::optional<BattingOrder> selectOrder(std::string_view line, const Patterns& patterns);

std::optional<Lineup> selectLineup(std::string_view line, const Patterns& patterns,
                                   const std::array<BatterRecord, kBatterCount>& records);

// Reads an order file (a stream opened in binary mode) piece by piece.
class OrderFileReader {
public:
    explicit OrderFileReader(std::istream& in);
    // The next piece of at most kOrderLineMaxChars characters (its '\n'
    // included when it fits), or false at the end.
    bool next(std::string& piece);

private:
    LinePieceReader m_reader;
};

// Calls `visit` for every selected piece of the order file, in file order, with
// the piece and its batting order. A line listed twice is visited twice.
// Returns the number of selected pieces.
std::size_t forEachSelectedOrder(
    std::istream& in, const Patterns& patterns,
    const std::function<void(std::string_view line, const BattingOrder& order)>& visit);

}  // namespace diz
