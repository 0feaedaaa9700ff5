// The batter data file without any window: nine lines of
// "%d %d %d %d %d %d %f %f %f", each ending with CR LF, one per batter a..i.
// Reading follows the file's scanning rules, so a partial file changes only
// what it holds; nothing read is range-checked until checkBatterRanges.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "batch/batter_table.h"

namespace diz {

// A line is read in pieces of at most this many characters; each piece counts
// as one of the nine lines.
inline constexpr std::size_t kBatterLineMaxChars = 254;
// A batter file is read whole, and one larger than this is no batter file:
// nine lines of kBatterLineMaxChars are 2.3 KB, and /dev/zero never ends.
inline constexpr std::size_t kBatterFileMaxBytes = 65536;

// Scans `line` into `entry`'s nine fields in file order (six decimal integers,
// then three floating-point numbers), each after any run of white space. The
// scan stops at the first field that does not match; that field and the later
// ones keep their values. An integer outside the 32-bit range does not match.
// Returns the number of fields stored (0..9).
int scanBatterLine(std::string_view line, BatterEntry& entry);

// Reads rows 0 to 8 from `in` (opened in binary mode: CR LF and LF both end a
// line; a UTF-8 byte-order mark at the start is skipped). Rows without a line
// keep their values; lines after the ninth are ignored. Returns how many of
// the nine pieces were whole batter lines, with all nine fields read: a file
// with none is no batter file (a CSV, an order file), however many single
// numbers it let the scan take.
int readBatterTable(std::istream& in, BatterTable& table);

enum class BatterFileRead {
    Read,          // the table holds what the file holds
    NotOpened,     // the file can't be opened or read, or is a folder
    TooLarge,      // the file holds more than kBatterFileMaxBytes, or never ends
    NoBatterLine,  // no line of it is a whole batter line (see above)
};

// The same from the file at `path`, which is read whole first; the table is
// untouched unless Read.
BatterFileRead readBatterFile(const std::filesystem::path& path, BatterTable& table);

// The file's text for `table`: nine lines with CR LF, rates with six decimals.
std::string formatBatterTable(const BatterTable& table);

// Replaces `path` with formatBatterTable(table), atomically (see
// saveAtomically). False, with the file as it was, when it can't be saved or
// when a line would not fit one piece of kBatterLineMaxChars characters (a
// later read would split it and shift every later row).
bool writeBatterTable(const std::filesystem::path& path, const BatterTable& table);

// A count outside the range the window accepts.
struct BatterRangeError {
    int row = 0;             // 0..8
    std::string_view field;  // the grid heading: "打数", "1B", "2B", "3B", "BB" or "HR"
    int32_t value = 0;
    int32_t min = 0;
    int32_t max = 0;

    // "打者A の 打数 0 は範囲外です (1..100000)" style text naming batter and field.
    std::string message() const;
};

// The first out-of-range count in the window's reading order (row by row,
// each row's counts in kCountReadingOrder), or nothing when every count is in
// range.
std::optional<BatterRangeError> checkBatterRanges(const BatterTable& table);

}  // namespace diz
