// Which orders a run evaluates: the lineup patterns, the order file and
// every ordering of the nine batters, and the one reader that hands them out.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <fstream>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/text_io.h"
#include "diz/lineup.h"

namespace diz {

inline constexpr int kPatternCount = 6;
inline constexpr int kPatternMaxBytes = 9;

// Up to nine characters; '*' matches any character of an order line.
using LineupPattern = std::string;
using Patterns = std::array<LineupPattern, kPatternCount>;

// Pattern 1 "abcdefghi", patterns 2 to 6 empty: the window's start and
// diz-cli's default.
inline const Patterns kDefaultPatterns{"abcdefghi", "", "", "", "", ""};

// The order file is read in pieces of at most this many characters, line end
// included; the rest of a longer line is a line of its own. CR LF, LF and a
// lone CR all end a line (a file written with old Macintosh line ends reads
// line by line), and a UTF-8 byte-order mark at its start is skipped.
inline constexpr std::size_t kOrderLineMaxChars = 19;

// What OrderReader::open gives as its error for an order file that begins
// with a UTF-16 byte-order mark (it is no system error number).
inline constexpr int kUtf16OrderFile = -1;

// True when each of the pattern's first nine characters is '*' or equals the
// line's character at that position, byte for byte. A pattern shorter than nine
// characters accepts nothing; a line shorter than nine characters ends in NULs
// for the comparison.
bool patternAccepts(std::string_view pattern, std::string_view line);

// The batter rows of the line's first nine characters, or nothing when one of
// them is not a letter 'a'..'i' (upper case, digits, blanks and line ends fail).
// A mapped order's letters are therefore always the line's first nine
// characters (orderText gives them back).
std::optional<BattingOrder> mapOrder(std::string_view line);

// The order of the line when one of the patterns, tried in order 1 to 6,
// accepts it and it maps to nine batters; nothing when the line is not selected.
std::optional<BattingOrder> selectOrder(std::string_view line, const Patterns& patterns);

// The three places a run can take its orders from.
enum class OrderSource {
    EveryOrdering,      // all 9! orderings of the nine batters
    AcceptedOrderings,  // the orderings one of the patterns accepts
    OrderFile,          // the lines of the order file that the patterns select
};

// Where a run's orders come from, and in what sequence.
class OrderSelection {
  public:
    // The lines of "order.dat" that the default patterns select.
    OrderSelection() = default;
    // The orders of `source`. `orderFile` (UTF-8) is read only for
    // OrderSource::OrderFile, `patterns` are ignored only for EveryOrdering.
    // Order-file lines come in file order (a line listed twice comes twice);
    // orderings in lexicographic order, "abcdefghi" to "ihgfedcba", unless
    // `anySequence`: the caller (a ranking) takes them in whatever sequence
    // they evaluate fastest in, which is the rotations of one ordering
    // together.
    OrderSelection(OrderSource source, Patterns patterns, std::string orderFile = "order.dat",
                   bool anySequence = false);

    OrderSource source() const { return m_source; }
    const Patterns& patterns() const { return m_patterns; }
    const std::string& orderFile() const { return m_orderFile; }
    bool readsOrderFile() const { return m_source == OrderSource::OrderFile; }
    // True when the orderings come set by set: the selected rotations of one
    // ordering one after the other (in lexicographic order), the sets in the
    // order their first selected ordering has in lexicographic order. An
    // exact evaluation, which solves the rotations of an ordering together,
    // then has to remember only the sets at hand.
    bool rotationsTogether() const { return m_rotationsTogether; }

  private:
    OrderSource m_source = OrderSource::OrderFile;
    Patterns m_patterns = kDefaultPatterns;
    std::string m_orderFile = "order.dat";
    bool m_rotationsTogether = false;
};

// The selected orders, one at a time.
class OrderReader {
  public:
    // Reads nothing until opened.
    OrderReader();
    // The pieces of `in` (opened in binary mode) that `patterns` select; `in`
    // must outlive the reader.
    OrderReader(std::istream& in, const Patterns& patterns);
    ~OrderReader();
    OrderReader(const OrderReader&) = delete;
    OrderReader& operator=(const OrderReader&) = delete;

    // Starts reading `selection`. False when its order file can't be opened
    // for reading (a folder can't); `error` then holds the system's error
    // number, or kUtf16OrderFile for a file written in UTF-16.
    bool open(const OrderSelection& selection, int* error = nullptr);

    // The next order, or false at the end.
    bool next(BattingOrder& out);

  private:
    bool selects(const BattingOrder& order) const;

    std::ifstream m_file;
    std::optional<Patterns> m_patterns;       // none: every ordering
    std::optional<LinePieceReader> m_pieces;  // set when reading an order file
    std::string m_piece;
    BattingOrder m_ordering{};  // the next ordering in lexicographic order
    bool m_orderingsLeft = false;
    // Set by set: one ordering of each set still to come (m_sets[m_set] on),
    // and the sorted rotations of the current set from m_rotation on.
    std::vector<BattingOrder> m_sets;
    std::size_t m_set = 0;
    std::array<BattingOrder, kLineupSize> m_rotations{};
    int m_rotation = kLineupSize;
};

// What a run reports for an order file that can't be read: msg::kOrderOpenFailed
// or, for `error` kUtf16OrderFile, msg::kOrderFileUtf16, with at most 70
// bytes of the name; with `withFolder`, a second line names the whole folder
// it was looked in (a relative name is looked for in the current folder).
std::string orderFileMessage(const std::string& orderFile, int error, bool withFolder);

// Checks ahead of a run, before any chooser opens, that the order file of
// `selection` (when it reads one) can be read: nothing, or the message of
// orderFileMessage with the folder. A file that exists but is no regular
// file (a pipe) is not opened ahead: reading it would take what the run is
// to read, and opening it may wait for a writer.
std::optional<std::string> orderFileProblem(const OrderSelection& selection);

// The number of orders `selection` selects, counted ahead of a run from a
// second reading: nothing when the orders come from anything but orderings
// or a regular file (reading a pipe ahead would leave nothing to run) or the
// file can't be read. Stops early, with what it has counted, once `cancel`
// (when given) is set.
std::optional<std::size_t> countSelectedOrders(const OrderSelection& selection,
                                               const std::atomic<bool>* cancel = nullptr);

}  // namespace diz
