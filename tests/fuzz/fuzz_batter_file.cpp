// Feeds arbitrary bytes to the batter data file reader and checks that a
// table saved again reads back with the same counts, whenever its saved lines
// fit the reader's line pieces (a rate near 1e250 prints a longer line, which
// the file's reading rules split).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "batch/batter_data.h"
#include "batch/batter_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    diz::BatterTable table{};
    std::istringstream in(bytes);
    diz::readBatterTable(in, table);

    // Whatever came in, writing and reading it again gives the same counts.
    const std::string saved = diz::formatBatterTable(table);
    std::size_t lineStart = 0;
    for (std::size_t end = saved.find('\n'); end != std::string::npos;
         lineStart = end + 1, end = saved.find('\n', lineStart)) {
        // The line's CR LF reads as one character.
        if (end - lineStart > diz::kBatterLineMaxChars) return 0;
    }
    diz::BatterTable again{};
    std::istringstream savedIn(saved);
    diz::readBatterTable(savedIn, again);
    for (int row = 0; row < diz::kLineupSize; ++row) {
        for (const diz::BatterField& field : diz::kBatterFields) {
            if (field.isCount() && again[row].*field.count != table[row].*field.count) std::abort();
        }
    }
    (void)diz::checkBatterRanges(table);
    (void)diz::summaryLines(table);
    return 0;
}
