// Feeds arbitrary bytes to the batter data file reader and checks what it must
// always keep: nothing beyond nine rows is touched, and a saved table reads
// back unchanged apart from the six-decimal rates.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "batter_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    diz::BatterTable table{};
    std::istringstream in(bytes);
    diz::readBatterTable(in, table);

    // Whatever came in, writing and reading it again gives the same counts.
    const std::string saved = diz::formatBatterTable(table);
    diz::BatterTable again{};
    std::istringstream savedIn(saved);
    diz::readBatterTable(savedIn, again);
    for (int row = 0; row < diz::kBatterCount; ++row) {
        if (again[row].atBats != table[row].atBats || again[row].walks != table[row].walks ||
            again[row].homeRuns != table[row].homeRuns) {
            std::abort();
        }
    }
    (void)diz::checkBatterRanges(table);
    for (int row = 1; row <= diz::kBatterCount; ++row) (void)diz::summaryLine(table[row - 1], row);
    return 0;
}
