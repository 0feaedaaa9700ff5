#include "batch/batter_data.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <system_error>

#include "batch/atomic_save.h"
#include "batch/batter_fields.h"
#include "batch/messages.h"
#include "batch/text_io.h"
#include "diz/lineup.h"

namespace diz {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips white space and an optional sign in front of a number; true for '-'.
// On a failed match the caller leaves its field alone, so what was skipped
// does not matter.
bool skipSpaceAndSign(std::string_view& rest) {
    while (!rest.empty() && isSpace(rest.front())) rest.remove_prefix(1);
    if (rest.empty() || (rest.front() != '+' && rest.front() != '-')) return false;
    const bool negative = rest.front() == '-';
    rest.remove_prefix(1);
    return negative;
}

// A decimal integer with an optional sign, as "%d" takes it, except that one
// outside the 32-bit range is no match instead of an undefined value.
bool scanInt(std::string_view& rest, int32_t& out) {
    const bool negative = skipSpaceAndSign(rest);
    std::size_t i = 0;
    int64_t magnitude = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9') {
        magnitude = magnitude * 10 + (rest[i] - '0');
        if (magnitude > kLimit) return false;
        ++i;
    }
    if (i == 0) return false;
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return false;
    out = static_cast<int32_t>(value);
    rest.remove_prefix(i);
    return true;
}

// A floating-point number as "%lf" takes it (sign, decimal or hexadecimal
// digits, exponent, inf, nan), read without regard to the process's locale.
bool scanDouble(std::string_view& rest, double& out) {
    const bool negative = skipSpaceAndSign(rest);
    const char* const begin = rest.data();
    const char* const end = rest.data() + rest.size();
    if (begin == end || *begin == '+' || *begin == '-') return false;

    double value = 0.0;
    std::from_chars_result result{};
    char exponentMark = 'e';
    const bool hex = end - begin > 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X');
    if (hex) {
        result = std::from_chars(begin + 2, end, value, std::chars_format::hex);
        exponentMark = 'p';
        if (result.ec == std::errc::invalid_argument) {
            // "0x" followed by no hex digit: the number is the 0 before the x.
            value = 0.0;
            result = {begin + 1, std::errc{}};
        }
    } else {
        result = std::from_chars(begin, end, value, std::chars_format::general);
    }
    if (result.ec == std::errc::invalid_argument) return false;
    if (result.ec == std::errc::result_out_of_range) {
        // Too large for a double gives infinity, too small gives zero, as the
        // C library's conversion does; the exponent's sign tells which.
        bool tiny = false;
        for (const char* p = begin; p + 1 < result.ptr; ++p) {
            if ((*p | 0x20) == exponentMark) tiny = p[1] == '-';
        }
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    out = negative ? -value : value;
    rest.remove_prefix(static_cast<std::size_t>(result.ptr - rest.data()));
    return true;
}

void appendCount(std::string& out, int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

}  // namespace

int scanBatterLine(std::string_view line, BatterEntry& entry) {
    // A line stops at a NUL byte, as a C string would.
    line = line.substr(0, line.find('\0'));
    int stored = 0;
    for (const BatterField& field : kBatterFields) {
        const bool matched = field.isCount() ? scanInt(line, entry.*field.count)
                                             : scanDouble(line, entry.*field.rate);
        if (!matched) return stored;
        ++stored;
    }
    return stored;
}

int readBatterTable(std::istream& in, BatterTable& table) {
    LinePieceReader reader(in, kBatterLineMaxChars);
    std::string piece;
    int whole = 0;
    for (BatterEntry& entry : table) {
        if (!reader.next(piece)) break;
        if (scanBatterLine(piece, entry) == kBatterFieldCount) ++whole;
    }
    return whole;
}

BatterFileRead readBatterFile(const std::filesystem::path& path, BatterTable& table) {
    std::string bytes;
    switch (readSmallFile(path, kBatterFileMaxBytes, bytes)) {
        case FileRead::Read:
            break;
        case FileRead::NotOpened:
            return BatterFileRead::NotOpened;
        case FileRead::TooLarge:
            return BatterFileRead::TooLarge;
    }
    std::istringstream in(bytes);
    BatterTable read = table;
    if (readBatterTable(in, read) == 0) return BatterFileRead::NoBatterLine;
    table = read;
    return BatterFileRead::Read;
}

std::string formatBatterTable(const BatterTable& table) {
    std::string text;
    for (const BatterEntry& entry : table) {
        for (const BatterField& field : kBatterFields) {
            if (&field != &kBatterFields.front()) text += ' ';
            if (field.isCount()) {
                appendCount(text, entry.*field.count);
            } else {
                appendFixed(text, entry.*field.rate, 6);
            }
        }
        text += "\r\n";
    }
    return text;
}

bool writeBatterTable(const std::filesystem::path& path, const BatterTable& table) {
    const std::string text = formatBatterTable(table);
    // Every line must come back as one piece when the file is read again;
    // rates of huge magnitude print in full and would not.
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        if (end - start + 1 > kBatterLineMaxChars) return false;
    }
    return saveAtomically(path, text) == SaveResult::Saved;
}

std::string BatterRangeError::message() const {
    return msg::batterOutOfRange(row, field, value, min, max);
}

std::optional<BatterRangeError> checkBatterRanges(const BatterTable& table) {
    for (int row = 0; row < kLineupSize; ++row) {
        for (const int index : kCountReadingOrder) {
            const BatterField& field = kBatterFields[index];
            const int32_t value = table[row].*field.count;
            if (!field.contains(value)) {
                return BatterRangeError{row, field.heading, value, field.min, field.max};
            }
        }
    }
    return std::nullopt;
}

}  // namespace diz
