#include "batch/batter_file_check.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <vector>

#include "batch/batter_data.h"
#include "batch/batter_fields.h"
#include "batch/messages.h"
#include "batch/text_io.h"
#include "diz/lineup.h"

namespace diz {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isInteger(std::string_view token) {
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) token.remove_prefix(1);
    return !token.empty() && token.find_first_not_of("0123456789") == std::string_view::npos;
}

bool fitsInt32(std::string_view token) {
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) token.remove_prefix(1);
    int64_t value = 0;
    for (char c : token) {
        value = value * 10 + (c - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
    }
    return negative ? value <= int64_t{std::numeric_limits<int32_t>::max()} + 1
                    : value <= std::numeric_limits<int32_t>::max();
}

bool isFiniteNumber(std::string_view token) {
    // from_chars takes a '-' but no '+'; the reader takes one sign of either.
    if (!token.empty() && token[0] == '+') {
        token.remove_prefix(1);
        if (!token.empty() && token[0] == '-') return false;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value,
                                              std::chars_format::general);
    return error == std::errc{} && end == token.data() + token.size() && std::isfinite(value);
}

std::string problemAt(int line, std::string_view text) {
    return std::to_string(line) + ": " + std::string(text);
}

// The reason `line` (without its line end) is no whole batter line of `row`
// (0..8).
std::optional<std::string> lineProblem(std::string_view line, int row) {
    std::vector<std::string_view> tokens;
    for (std::size_t i = 0; i < line.size();) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && !isBlank(line[end])) ++end;
        tokens.push_back(line.substr(i, end - i));
        i = end;
    }
    for (std::size_t i = 0; i < kBatterFields.size(); ++i) {
        const BatterField& field = kBatterFields[i];
        if (i >= tokens.size()) return msg::batterFieldMissing(row, field.heading);
        const std::string_view token = tokens[i];
        if (field.isCount()) {
            if (!isInteger(token) || !fitsInt32(token)) {
                return msg::batterFieldNotInteger(row, field.heading, token);
            }
        } else if (!isFiniteNumber(token)) {
            return msg::batterFieldNotNumber(row, field.heading, token);
        }
    }
    if (tokens.size() > kBatterFields.size()) {
        return msg::batterLineHasMore(row, tokens[kBatterFields.size()]);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> batterFileProblem(std::string_view bytes) {
    // A byte-order mark is no part of the first line.
    bytes = withoutByteOrderMark(bytes);
    int lineNumber = 0;
    int batterLines = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool lastWithoutEnd = end == std::string_view::npos;
        if (lastWithoutEnd) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!lastWithoutEnd && !line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (line.find('\0') != std::string_view::npos) {
            return problemAt(lineNumber, msg::kBatterLineBinary);
        }
        if (line.find('\r') != std::string_view::npos) {
            return problemAt(lineNumber, msg::kBatterLineCrOnly);
        }
        // The line and its end must fit one piece, or a later read splits it.
        if (line.size() + 1 > kBatterLineMaxChars) {
            return problemAt(lineNumber, msg::batterLineTooLong(kBatterLineMaxChars - 1));
        }
        const bool blank = line.find_first_not_of(" \t") == std::string_view::npos;
        if (batterLines == kLineupSize) {
            if (!blank) return problemAt(lineNumber, msg::kBatterLineAfterNinth);
            continue;
        }
        if (auto problem = lineProblem(line, batterLines)) return problemAt(lineNumber, *problem);
        ++batterLines;
    }
    if (batterLines < kLineupSize) return msg::batterLinesMissing(batterLines);
    return std::nullopt;
}

}  // namespace diz
