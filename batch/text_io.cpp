#include "batch/text_io.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

namespace diz {

std::filesystem::path utf8Path(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

LinePieceReader::LinePieceReader(std::istream& in, std::size_t maxChars)
    : m_in(in), m_maxChars(maxChars < 1 ? 1 : maxChars) {}

int LinePieceReader::get() {
    using Traits = std::istream::traits_type;
    const Traits::int_type c = m_in.get();
    if (Traits::eq_int_type(c, Traits::eof())) return EOF;
    if (c == '\r' && m_in.peek() == '\n') {
        m_in.get();
        return '\n';
    }
    return static_cast<unsigned char>(Traits::to_char_type(c));
}

bool LinePieceReader::next(std::string& piece) {
    piece.clear();
    while (piece.size() < m_maxChars) {
        const int c = get();
        if (c == EOF) break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !piece.empty();
}

void appendFixed(std::string& out, double value, int decimals) {
    // to_chars rounds exactly like the C library's printf and never looks at
    // the locale (a window toolkit may have switched LC_NUMERIC to the user's).
    std::array<char, 64> small{};
    auto [end, ec] = std::to_chars(small.data(), small.data() + small.size(), value,
                                   std::chars_format::fixed, decimals);
    if (ec == std::errc{}) {
        out.append(small.data(), end);
        return;
    }
    // Very large magnitudes print more than 300 digits.
    std::string big(400 + static_cast<std::size_t>(decimals), '\0');
    auto res = std::to_chars(big.data(), big.data() + big.size(), value, std::chars_format::fixed,
                             decimals);
    out.append(big.data(), res.ptr);
}

std::string formatFixed(double value, int decimals) {
    std::string out;
    appendFixed(out, value, decimals);
    return out;
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t cut = maxBytes;
    // Back up over continuation bytes so that the byte at `cut` starts a character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

std::string messageWithName(std::string_view message, std::string_view name) {
    constexpr std::size_t kNameBytes = 70;
    std::string text(message);
    text += utf8Prefix(name, kNameBytes);
    return text;
}

}  // namespace diz
