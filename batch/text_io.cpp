#include "batch/text_io.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diz {
namespace {

// to_chars rounds exactly like the C library's printf and never looks at the
// locale (a window toolkit may have switched LC_NUMERIC to the user's).
void appendConvertedFixed(std::string& out, double value, int decimals) {
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

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                          100000, 1000000, 10000000, 100000000, 1000000000};

// The most characters the fast path writes: a sign, ten digits before the
// point (the value is below 1e9, and may round up to it), the point and nine
// decimals.
constexpr std::size_t kSmallFixedChars = 1 + 10 + 1 + 9;

// kPairs[2 i], kPairs[2 i + 1]: the two digits of i.
constexpr auto kPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes n / 10^kDecimals with kDecimals digits after the point at `at` and
// returns the end. The divisors are constants, so they take multiplications
// only, and the pairs of decimals are worked out each on its own rather than
// one after another.
template <int kDecimals>
char* putScaled(char* at, bool negative, std::uint64_t n) {
    constexpr std::uint64_t kScale = kPowersOfTen[kDecimals];
    std::uint64_t whole = n / kScale;
    const std::uint64_t rest = n - whole * kScale;
    if (negative) *at++ = '-';
    if (whole < 10) {
        *at++ = static_cast<char>('0' + whole);
    } else {
        int wholeDigits = 2;
        while (wholeDigits < 10 && whole >= kPowersOfTen[wholeDigits]) ++wholeDigits;
        char* back = at + wholeDigits;
        do {
            *--back = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole != 0);
        at += wholeDigits;
    }
    if constexpr (kDecimals > 0) {
        *at++ = '.';
        [&]<std::size_t... kPair>(std::index_sequence<kPair...>) {
            ((std::copy_n(&kPairs[2 * (rest / kPowersOfTen[kDecimals - 2 - 2 * kPair] % 100)], 2,
                          at + 2 * kPair)),
             ...);
        }
        (std::make_index_sequence<kDecimals / 2>());
        at += kDecimals / 2 * 2;
        if constexpr (kDecimals % 2 != 0) *at++ = static_cast<char>('0' + rest % 10);
    }
    return at;
}

// The value times 10^decimals rounded half to even, as printf rounds the
// exact value: the value is exactly m 2^-k, so this is the integer m 10^N
// shifted right by k.
std::uint64_t exactlyScaled(double value, int decimals) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = biased == 0 ? fraction : fraction | std::uint64_t{1} << 52;
    const int shift = 1075 - (biased == 0 ? 1 : biased);  // below 1e9, at least 23
    if (shift >= 128) return 0;
    const Wide scaled = Wide{m} * kPowersOfTen[decimals];
    std::uint64_t n = static_cast<std::uint64_t>(scaled >> shift);
    const Wide rest = scaled - (Wide{n} << shift);
    const Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (n & 1) != 0)) ++n;
    return n;
}

// printf's "%.Nf" of a value below 1e9 with N = kDecimals, at most 9,
// without the general conversion (a run prints millions of figures), written
// at `at` (room for kSmallFixedChars). Returns the end; null outside that
// range.
template <int kDecimals>
char* putSmallFixedOf(char* at, double value) {
    if (!(value < 1e9 && value > -1e9)) return nullptr;
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    // The product below is the exact one to within half a unit in its last
    // place, at most 2^-10 below 2^44; unless its fraction is that close to
    // one half, the integer nearest to it is the one nearest to the exact
    // product. Near a half (a tie, or nearly one) the exact product decides.
    const double scaled = magnitude * static_cast<double>(kPowersOfTen[kDecimals]);
    std::uint64_t n = 0;
    if (scaled < 0x1p44) {
        n = static_cast<std::uint64_t>(scaled);
        const double fraction = scaled - static_cast<double>(n);
        if (std::fabs(fraction - 0.5) > 0x1p-8) {
            n += fraction > 0.5 ? 1 : 0;
        } else {
            n = exactlyScaled(magnitude, kDecimals);
        }
    } else {
        n = exactlyScaled(magnitude, kDecimals);
    }
    return putScaled<kDecimals>(at, negative, n);
}

// The values, each after a space, at the end of `out`: written in place,
// with room for every figure on the fast path; a figure that needs the
// general conversion is appended after what came before, and room made
// again for the rest.
template <int kDecimals>
void appendFixedListOf(std::string& out, std::span<const double> values) {
    std::size_t used = out.size();
    out.resize(used + values.size() * (1 + kSmallFixedChars));
    for (std::size_t i = 0; i < values.size(); ++i) {
        char* at = out.data() + used;
        *at++ = ' ';
        if (const char* end = putSmallFixedOf<kDecimals>(at, values[i])) {
            used = static_cast<std::size_t>(end - out.data());
        } else {
            out.resize(used + 1);
            appendConvertedFixed(out, values[i], kDecimals);
            used = out.size();
            out.resize(used + (values.size() - i - 1) * (1 + kSmallFixedChars));
        }
    }
    out.resize(used);
}

// call(std::integral_constant<int, decimals>{}) for decimals 0 .. 9.
template <typename Call>
auto withDecimals(int decimals, Call&& call) {
    switch (decimals) {
        case 0:
            return call(std::integral_constant<int, 0>{});
        case 1:
            return call(std::integral_constant<int, 1>{});
        case 2:
            return call(std::integral_constant<int, 2>{});
        case 3:
            return call(std::integral_constant<int, 3>{});
        case 4:
            return call(std::integral_constant<int, 4>{});
        case 5:
            return call(std::integral_constant<int, 5>{});
        case 6:
            return call(std::integral_constant<int, 6>{});
        case 7:
            return call(std::integral_constant<int, 7>{});
        case 8:
            return call(std::integral_constant<int, 8>{});
        default:
            return call(std::integral_constant<int, 9>{});
    }
}
#endif

}  // namespace

std::filesystem::path utf8Path(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

FileRead readSmallFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                       int* error) {
    const auto notOpened = [error](int number) {
        if (error != nullptr) *error = number;
        return FileRead::NotOpened;
    };
    std::string read;
    char chunk[4096];
#ifdef _WIN32
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) return notOpened(EISDIR);
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return notOpened(errno != 0 ? errno : ENOENT);
    while (read.size() <= maxBytes) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        read.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return notOpened(EIO);
#else
    // Not waiting at the open: a pipe without a writer then reads as empty.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return notOpened(errno);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return notOpened(EISDIR);
    }
    while (read.size() <= maxBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int number = errno;
            ::close(fd);
            return notOpened(number);
        }
        if (got == 0) break;
        read.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
#endif
    if (read.size() > maxBytes) return FileRead::TooLarge;
    bytes = std::move(read);
    return FileRead::Read;
}

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
}  // namespace

std::string_view withoutByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
    return bytes;
}

LinePieceReader::LinePieceReader(std::istream& in, std::size_t maxChars, bool loneCrEndsLine)
    : m_in(in), m_maxChars(maxChars < 1 ? 1 : maxChars), m_loneCrEndsLine(loneCrEndsLine) {
    // Only as many bytes as could still begin a mark are taken from the
    // stream: it may be a pipe, which can't be read again.
    using Traits = std::istream::traits_type;
    while (m_lead.size() < kUtf8Mark.size()) {
        const Traits::int_type c = m_in.get();
        if (Traits::eq_int_type(c, Traits::eof())) break;
        m_lead.push_back(Traits::to_char_type(c));
        const bool utf8Start = kUtf8Mark.substr(0, m_lead.size()) == m_lead;
        const bool utf16Start =
            m_lead.size() <= 2 && (m_lead == std::string_view("\xFF\xFE", m_lead.size()) ||
                                   m_lead == std::string_view("\xFE\xFF", m_lead.size()));
        if (utf16Start && m_lead.size() == 2) {
            m_utf16 = true;
            break;
        }
        if (!utf8Start && !utf16Start) break;
    }
    if (m_lead == kUtf8Mark) m_lead.clear();
}

int LinePieceReader::raw() {
    if (m_leadAt < m_lead.size()) return static_cast<unsigned char>(m_lead[m_leadAt++]);
    using Traits = std::istream::traits_type;
    const Traits::int_type c = m_in.get();
    if (Traits::eq_int_type(c, Traits::eof())) return EOF;
    return static_cast<unsigned char>(Traits::to_char_type(c));
}

int LinePieceReader::peek() {
    if (m_leadAt < m_lead.size()) return static_cast<unsigned char>(m_lead[m_leadAt]);
    using Traits = std::istream::traits_type;
    const Traits::int_type c = m_in.peek();
    if (Traits::eq_int_type(c, Traits::eof())) return EOF;
    return static_cast<unsigned char>(Traits::to_char_type(c));
}

int LinePieceReader::get() {
    const int c = raw();
    if (c != '\r') return c;
    if (peek() == '\n') {
        raw();
        return '\n';
    }
    return m_loneCrEndsLine ? '\n' : c;
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
#if defined(__SIZEOF_INT128__)
    if (decimals >= 0 && decimals <= 9) {
        std::array<char, kSmallFixedChars> small;
        if (const char* end = withDecimals(
                decimals, [&](auto d) { return putSmallFixedOf<d()>(small.data(), value); })) {
            out.append(static_cast<const char*>(small.data()), end);
            return;
        }
    }
#endif
    appendConvertedFixed(out, value, decimals);
}

void appendFixedList(std::string& out, std::span<const double> values, int decimals) {
#if defined(__SIZEOF_INT128__)
    if (decimals >= 0 && decimals <= 9) {
        withDecimals(decimals, [&](auto d) { appendFixedListOf<d()>(out, values); });
        return;
    }
#endif
    for (const double value : values) {
        out += ' ';
        appendConvertedFixed(out, value, decimals);
    }
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
