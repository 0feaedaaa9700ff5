// The result file of a run. A regular file is locked for the whole run, so
// that a second run on the same file is refused before it touches it, and its
// lines go to a temporary file beside it that replaces it only at the end and
// only when it holds at least one line: a run that wrote nothing (no order
// selected, stopped before the first order, out of memory) leaves the previous
// results as they were, and a run that stops part way keeps the lines it
// wrote. The file never ends in a partial line: after a failed write the
// temporary file is cut back to its last whole line. A target that is no
// regular file (a pipe, a terminal, /dev/stdout, a device) is written
// directly, line by line, and never replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace diz {

class ResultFile {
  public:
    enum class Opened { Ok, Busy, Failed };

    ResultFile() = default;
    // Without close(), the lines written are dropped and the target is left
    // as it was (a run that ended by an exception).
    ~ResultFile();
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    // Opens `name` (UTF-8) for a run. A regular file (created empty if it
    // does not exist, links followed) is locked with an exclusive advisory
    // lock without waiting, and a temporary file is made beside it, locked as
    // well; the target's contents are not touched. Busy when another run
    // holds the lock; Failed when the target or the temporary file can't be
    // made (errorNumber() tells why). With `waitForReader` false a pipe that
    // no one reads is Failed at once (ENXIO) instead of waited for.
    Opened open(const std::string& name, bool waitForReader = true);

    // Adds `line` and CR LF. False once any write has failed; later lines are
    // then dropped.
    bool writeLine(std::string_view line);
    bool good() const { return !m_failed; }
    // Whole lines written so far (after a failed write: those kept).
    std::uint64_t linesWritten() const { return m_lines; }
    // True when the lines go straight to the target (no regular file).
    bool direct() const { return !m_regular; }

    // Writes what is buffered. For a regular file: when at least one whole
    // line was written, the temporary file takes the target's name (and its
    // permissions), otherwise it is removed and the target stays as it was
    // (a target made by open() is removed again). The files stay open and
    // locked until close(), so that a second run that opens the name after
    // the rename finds the new file still locked (on Windows, where an open
    // file can't be replaced, they are closed first). False when a write or
    // the rename failed. Later calls do nothing.
    bool commit();

    // commit() if not done yet, then closes every file and releases the
    // locks. False when a write, the rename or a close failed.
    bool close();

    // The system's error number of the last failure, 0 when there was none.
    int errorNumber() const { return m_errno; }

  private:
    bool flush();
    // Writes some of `size` bytes; the number written, or 0 with m_errno set.
    std::size_t writeSome(const char* data, std::size_t size);
    // Cuts the file being written to `size` bytes.
    void cutTo(std::uint64_t size);
    void startWriteback();
    // Puts the lines in the target's place (keep) or drops them.
    void settle(bool keep);
    // Closes every handle.
    void release();

#ifdef _WIN32
    void* m_target = nullptr;  // HANDLE of the target, which holds the lock
    void* m_out = nullptr;     // HANDLE the lines go to: the temporary file or the target
#else
    int m_target = -1;
    int m_out = -1;
#endif
    std::filesystem::path m_path;       // the regular target, links followed
    std::filesystem::path m_temporary;  // beside it
    bool m_created = false;             // open() made the target
    bool m_regular = false;
    bool m_settled = false;  // the lines were put in place or dropped
    bool m_failed = false;
    int m_errno = 0;
    std::uint64_t m_written = 0;       // bytes of whole lines written
    std::uint64_t m_handedToDisk = 0;  // bytes whose writing to the disk was started
    std::uint64_t m_lines = 0;         // whole lines, as far as written out
    std::uint64_t m_buffered = 0;      // lines in m_buffer
    std::string m_buffer;
};

}  // namespace diz
