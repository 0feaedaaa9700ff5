// Plain-text helpers shared by every reader and writer of the batch layer:
// line pieces of bounded length with CR LF folded, locale-independent number
// text, and byte-bounded cutting of UTF-8 names for messages.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace diz {

// Reads a stream as a text-mode reader of a fixed-size line buffer would: a
// CR LF pair counts as one '\n' (a lone LF is a line end as well, a lone CR is
// an ordinary character), and one piece holds at most `maxChars` characters up
// to and including the '\n'. The rest of a longer line is the next piece.
// The stream should be opened in binary mode so that the CR is seen here.
class LinePieceReader {
  public:
    LinePieceReader(std::istream& in, std::size_t maxChars);

    // The next piece, or false at the end of the stream (an empty last line
    // after the final '\n' is no piece).
    bool next(std::string& piece);

  private:
    int get();  // next character with CR LF folded into '\n'; EOF at the end
    std::istream& m_in;
    std::size_t m_maxChars;
};

// A path from UTF-8 text (every name in the application core is UTF-8).
std::filesystem::path utf8Path(std::string_view name);

// Every byte of the file at `path`; nullopt when it can't be opened or read
// (a folder included, which opens as a stream on some systems and reads as
// empty).
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// `value` in fixed notation with `decimals` digits after the point, as printf's
// "%.Nf" prints it in the C locale, whatever the process's locale is.
std::string formatFixed(double value, int decimals);
// Appends the same text to `out`.
void appendFixed(std::string& out, double value, int decimals);

// At most the first `maxBytes` bytes of `text`, cut back to the last whole
// UTF-8 character (the "%.70s" of the messages).
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

// A reported message with a file name: `message` then at most 70 bytes of
// `name`, cut at a whole character.
std::string messageWithName(std::string_view message, std::string_view name);

}  // namespace diz
