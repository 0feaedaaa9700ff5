// The result file of a run. It is locked for the whole run, so that a second
// run on the same file is refused before it touches it, and it never ends in
// a partial line: after a failed write it is cut back to its last whole line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace diz {

class ResultFile {
  public:
    enum class Opened { Ok, Busy, Failed };

    ResultFile() = default;
    ~ResultFile();
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    // Opens `name` (UTF-8) for writing, creating it if needed, and takes an
    // exclusive advisory lock on a regular file without waiting; only then is
    // the file emptied. Busy when another run holds the lock (the file is left
    // as it was); Failed when it can't be opened (errorNumber() tells why).
    Opened open(const std::string& name);

    // Adds `line` and CR LF. False once any write has failed; later lines are
    // then dropped.
    bool writeLine(std::string_view line);
    bool good() const { return !m_failed; }

    // Writes what is buffered, closes the file and releases the lock. False
    // when a write or the close failed; a regular file then ends with its last
    // whole line.
    bool close();

    // The system's error number of the last failure, 0 when there was none.
    int errorNumber() const { return m_errno; }

  private:
    bool flush();
    // Writes some of `size` bytes; the number written, or 0 with m_errno set.
    std::size_t writeSome(const char* data, std::size_t size);
    // Cuts the file to `size` bytes.
    void cutTo(std::uint64_t size);

#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
    bool m_regular = false;
    bool m_failed = false;
    int m_errno = 0;
    std::uint64_t m_written = 0;  // bytes of whole lines in the file
    std::string m_buffer;
};

}  // namespace diz
