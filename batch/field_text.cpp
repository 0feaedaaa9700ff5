#include "batch/field_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace diz {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string toHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD)) {
            // U+FF01..U+FF5E is EF BC 81..BF, then EF BD 80..9E.
            const unsigned code = (byte(1) - 0xBC) * 64 + (byte(2) & 0x3F);
            if (code >= 1 && code <= 0x5E && (byte(2) & 0xC0) == 0x80) {
                out += static_cast<char>(0x20 + code);
                i += 2;
                continue;
            }
        }
        if (i + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
            out += ' ';
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::optional<long long> parseInteger(std::string_view text) {
    const std::string halfWidth = toHalfWidth(text);
    std::string_view digits = trimBlanks(halfWidth);
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;

    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        magnitude = magnitude > (kMax - digit) / 10 ? kMax : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

std::optional<double> parseNumber(std::string_view text) {
    const std::string halfWidth = toHalfWidth(text);
    std::string_view trimmed = trimBlanks(halfWidth);
    // from_chars reads a minus sign but not a plus.
    if (!trimmed.empty() && trimmed.front() == '+') {
        trimmed.remove_prefix(1);
        if (!trimmed.empty() && trimmed.front() == '-') return std::nullopt;
    }
    if (trimmed.empty()) return std::nullopt;
    for (const char c : trimmed) {
        // Digits, point, sign and exponent only: no "inf", "nan" or hex.
        const bool allowed =
            (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!allowed) return std::nullopt;
    }
    double value = 0.0;
    const char* const end = trimmed.data() + trimmed.size();
    const auto [stop, error] =
        std::from_chars(trimmed.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string formatNumber(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace diz
