// Feeds arbitrary bytes to the order file reader with patterns taken from the
// input, and checks that every selected line maps to nine batters a..i.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "lineup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The first 54 bytes (when there are that many) are six patterns of nine.
    diz::Patterns patterns{"*********", "", "", "", "", ""};
    std::size_t offset = 0;
    if (bytes.size() >= 54) {
        for (auto& pattern : patterns) {
            pattern = bytes.substr(offset, 9);
            offset += 9;
        }
    }
    std::istringstream in(bytes.substr(offset));
    diz::OrderSource source(in, patterns);
    diz::SelectedOrder selected;
    while (source.next(selected)) {
        const std::string& line = selected.text;
        const diz::BattingOrder& order = selected.order;
        if (line.size() != 9 || diz::mapOrder(line) != order) std::abort();
        for (int i = 0; i < 9; ++i) {
            if (order[i] > 8 || line[i] != 'a' + order[i]) std::abort();
        }
    }
    return 0;
}
