// Plain-text helpers shared by every reader and writer of the batch layer:
// line pieces of bounded length with CR LF folded, locale-independent number
// text, and byte-bounded cutting of UTF-8 names for messages.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace diz {

// Reads a stream as a text-mode reader of a fixed-size line buffer would: a
// CR LF pair counts as one '\n' (a lone LF is a line end as well; a lone CR is
// an ordinary character unless `loneCrEndsLine`, when it is a '\n' too), and
// one piece holds at most `maxChars` characters up to and including the
// '\n'. The rest of a longer line is the next piece. A UTF-8 byte-order mark
// at the very start is skipped. The stream should be opened in binary mode
// so that the CR is seen here.
class LinePieceReader {
  public:
    LinePieceReader(std::istream& in, std::size_t maxChars, bool loneCrEndsLine = false);

    // The next piece, or false at the end of the stream (an empty last line
    // after the final '\n' is no piece).
    bool next(std::string& piece);

    // True when the stream begins with a UTF-16 byte-order mark (FF FE or
    // FE FF); its bytes are then read as they are, which gives no text a
    // reader of ASCII lines can use.
    bool utf16() const { return m_utf16; }

  private:
    int get();   // next character with CR LF folded into '\n'; EOF at the end
    int raw();   // next byte: the lead first, then the stream; EOF at the end
    int peek();  // the byte raw() gives next, left there
    std::istream& m_in;
    std::size_t m_maxChars;
    bool m_loneCrEndsLine;
    bool m_utf16 = false;
    // Bytes read at the start to look for a byte-order mark that were no
    // mark: they come before the rest of the stream.
    std::string m_lead;
    std::size_t m_leadAt = 0;
};

// `bytes` without a UTF-8 byte-order mark at its start.
std::string_view withoutByteOrderMark(std::string_view bytes);

// A path from UTF-8 text (every name in the application core is UTF-8).
std::filesystem::path utf8Path(std::string_view name);

enum class FileRead {
    Read,       // every byte is in `bytes`
    NotOpened,  // it can't be opened or read (a folder included)
    TooLarge,   // it holds more than the limit, or never ends (a device, a pipe)
};

// Every byte of the file at `path` into `bytes`, when there are at most
// `maxBytes`: no more than maxBytes + 1 are ever read, so /dev/zero is as
// quickly TooLarge as a large file. `error` (when given) gets the system's
// error number when NotOpened. Opening never waits for a pipe's writer: a
// pipe that no one writes reads as empty. A folder, which opens as a stream
// on some systems and reads as empty, is NotOpened.
FileRead readSmallFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                       int* error = nullptr);

// `value` in fixed notation with `decimals` digits after the point, as printf's
// "%.Nf" prints it in the C locale, whatever the process's locale is.
std::string formatFixed(double value, int decimals);
// Appends the same text to `out`.
void appendFixed(std::string& out, double value, int decimals);
// Appends each of `values` so, after a blank.
void appendFixedList(std::string& out, std::span<const double> values, int decimals);

// At most the first `maxBytes` bytes of `text`, cut back to the last whole
// UTF-8 character (the "%.70s" of the messages).
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

// A reported message with a file name: `message` then at most 70 bytes of
// `name`, cut at a whole character.
std::string messageWithName(std::string_view message, std::string_view name);

}  // namespace diz
