// Feeds arbitrary bytes to the order file reader with patterns taken from the
// input, and checks that every order it selects is nine batters a..i that one
// of the patterns accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "batch/orders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The first 54 bytes (when there are that many) are six patterns of nine.
    diz::Patterns patterns{"*********", "", "", "", "", ""};
    std::size_t offset = 0;
    if (bytes.size() >= 54) {
        for (auto& pattern : patterns) {
            pattern = bytes.substr(offset, diz::kPatternMaxBytes);
            offset += diz::kPatternMaxBytes;
        }
    }
    std::istringstream in(bytes.substr(offset));
    diz::OrderReader reader(in, patterns);
    diz::BattingOrder order;
    while (reader.next(order)) {
        for (const std::uint8_t batter : order) {
            if (batter >= diz::kLineupSize) std::abort();
        }
        if (diz::selectOrder(diz::orderText(order), patterns) != order) std::abort();
    }
    return 0;
}
