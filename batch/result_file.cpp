#include "batch/result_file.h"

#include <cerrno>
#include <system_error>

#include "batch/atomic_save.h"
#include "batch/text_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diz {
namespace {

constexpr std::size_t kBufferBytes = 1 << 16;

#ifdef _WIN32
int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}
#endif

}  // namespace

ResultFile::~ResultFile() {
    settle(false);
    release();
}

#ifdef _WIN32

ResultFile::Opened ResultFile::open(const std::string& name, bool) {
    if (name.empty()) {
        m_errno = ENOENT;
        return Opened::Failed;
    }
    m_path = utf8Path(name);
    // Sharing deletion lets the temporary file replace the target at the end.
    HANDLE target = CreateFileW(m_path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
        m_errno = errnoOf(GetLastError());
        return Opened::Failed;
    }
    m_created = GetLastError() != ERROR_ALREADY_EXISTS;
    m_regular = GetFileType(target) == FILE_TYPE_DISK;
    if (!m_regular) {
        m_out = target;
        m_buffer.reserve(kBufferBytes);
        return Opened::Ok;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(target, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                    MAXDWORD, &whole)) {
        CloseHandle(target);
        return Opened::Busy;
    }
    m_temporary = temporaryBeside(m_path);
    HANDLE out = CreateFileW(m_temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        m_errno = errnoOf(GetLastError());
        CloseHandle(target);
        if (m_created) DeleteFileW(m_path.c_str());
        return Opened::Failed;
    }
    m_target = target;
    m_out = out;
    m_buffer.reserve(kBufferBytes);
    return Opened::Ok;
}

std::size_t ResultFile::writeSome(const char* data, std::size_t size) {
    DWORD wrote = 0;
    if (!WriteFile(static_cast<HANDLE>(m_out), data, static_cast<DWORD>(size), &wrote, nullptr) ||
        wrote == 0) {
        m_errno = errnoOf(GetLastError());
        return 0;
    }
    return wrote;
}

void ResultFile::cutTo(std::uint64_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(static_cast<HANDLE>(m_out), at, nullptr, FILE_BEGIN);
    SetEndOfFile(static_cast<HANDLE>(m_out));
}

void ResultFile::release() {
    const auto closeHandle = [this](void*& handle) {
        if (handle != nullptr && !CloseHandle(static_cast<HANDLE>(handle)) && !m_failed) {
            m_failed = true;
            m_errno = errnoOf(GetLastError());
        }
        handle = nullptr;
    };
    closeHandle(m_out);
    closeHandle(m_target);
}

void ResultFile::settle(bool keep) {
    if (m_settled || m_out == nullptr) return;
    m_settled = true;
    if (!m_regular) return;
    bool targetEmpty = false;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(static_cast<HANDLE>(m_target), &size)) targetEmpty = size.QuadPart == 0;
    // A file open here can't be replaced: both are closed first, which also
    // ends the lock (for the moment of the rename).
    release();
    bool replaced = false;
    if (keep && m_lines > 0) {
        replaced = MoveFileExW(m_temporary.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        if (!replaced && !m_failed) {
            m_failed = true;
            m_errno = errnoOf(GetLastError());
        }
    }
    if (!replaced) {
        DeleteFileW(m_temporary.c_str());
        if (m_created && targetEmpty) DeleteFileW(m_path.c_str());
    }
}

#else

ResultFile::Opened ResultFile::open(const std::string& name, bool waitForReader) {
    if (name.empty()) {
        m_errno = ENOENT;
        return Opened::Failed;
    }
    const int noWait = waitForReader ? 0 : O_NONBLOCK;
    // Made here, or there already: told apart, so that a run that writes
    // nothing can take away what it made.
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | noWait, 0666);
    m_created = fd >= 0;
    if (fd < 0 && errno == EEXIST) fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC | noWait);
    if (fd < 0) {
        m_errno = errno;
        return Opened::Failed;
    }
    // Only the open was not to wait; the writes may (a slow reader).
    if (noWait != 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat info {};
    m_regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!m_regular) {
        m_out = fd;
        m_buffer.reserve(kBufferBytes);
        return Opened::Ok;
    }
    const auto failWith = [&](int error) {
        ::close(fd);
        if (m_created) ::unlink(name.c_str());
        m_errno = error;
        return Opened::Failed;
    };
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error != EWOULDBLOCK) return failWith(error);
        ::close(fd);
        return Opened::Busy;
    }
    // Through a link to the file it names, so that the link stays a link.
    std::error_code linkError;
    m_path = utf8Path(name);
    if (std::filesystem::is_symlink(m_path, linkError)) {
        m_path = std::filesystem::canonical(m_path, linkError);
        if (linkError) return failWith(linkError.value());
    }
    m_temporary = temporaryBeside(m_path);
    const int out = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out < 0) return failWith(errno);
    // Locked as well: once it has the target's name, it is what a second run
    // finds there.
    flock(out, LOCK_EX | LOCK_NB);
    m_target = fd;
    m_out = out;
    m_buffer.reserve(kBufferBytes);
    return Opened::Ok;
}

std::size_t ResultFile::writeSome(const char* data, std::size_t size) {
    for (;;) {
        const ssize_t wrote = ::write(m_out, data, size);
        if (wrote > 0) return static_cast<std::size_t>(wrote);
        if (wrote < 0 && errno == EINTR) continue;
        m_errno = wrote < 0 ? errno : ENOSPC;
        return 0;
    }
}

void ResultFile::cutTo(std::uint64_t size) {
    if (ftruncate(m_out, static_cast<off_t>(size)) != 0) {
        // Nothing more can be done; the write error is what gets reported.
    }
}

void ResultFile::release() {
    const auto closeFd = [this](int& fd) {
        if (fd >= 0 && ::close(fd) != 0 && !m_failed) {
            m_failed = true;
            m_errno = errno;
        }
        fd = -1;
    };
    closeFd(m_out);
    closeFd(m_target);
}

void ResultFile::settle(bool keep) {
    if (m_settled || m_out < 0) return;
    m_settled = true;
    if (!m_regular) return;
    bool replaced = false;
    if (keep && m_lines > 0) {
        struct stat target {};
        if (!m_created && fstat(m_target, &target) == 0) fchmod(m_out, target.st_mode & 07777);
        // Renamed while both are still open and locked: a second run that
        // opens the name from now on finds the new file, locked until
        // release().
        replaced = ::rename(m_temporary.c_str(), m_path.c_str()) == 0;
        if (!replaced && !m_failed) {
            m_failed = true;
            m_errno = errno;
        }
    }
    if (!replaced) {
        ::unlink(m_temporary.c_str());
        struct stat made {};
        struct stat named {};
        // Only the empty file this run made, if it is still the one there.
        if (m_created && fstat(m_target, &made) == 0 && made.st_size == 0 &&
            ::stat(m_path.c_str(), &named) == 0 && named.st_ino == made.st_ino &&
            named.st_dev == made.st_dev) {
            ::unlink(m_path.c_str());
        }
    }
}

#endif

// A large result file goes to the disk while the run goes on, 8 MB at a
// time, instead of all at once when the finished file takes the target's name
// (the file system then writes out what it holds of it, 70 MB for every
// figure of every order). Only started, never waited for.
void ResultFile::startWriteback() {
#if defined(__linux__)
    constexpr std::uint64_t kWritebackBytes = std::uint64_t{8} << 20;
    if (!m_regular || m_written - m_handedToDisk < kWritebackBytes) return;
    sync_file_range(m_out, static_cast<off_t>(m_handedToDisk),
                    static_cast<off_t>(m_written - m_handedToDisk), SYNC_FILE_RANGE_WRITE);
    m_handedToDisk = m_written;
#endif
}

bool ResultFile::commit() {
    if (!m_settled) {
        flush();
        settle(true);
    }
    return !m_failed;
}

bool ResultFile::close() {
    commit();
    release();
    return !m_failed;
}

bool ResultFile::flush() {
    if (m_failed) return false;
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const std::size_t wrote = writeSome(m_buffer.data() + done, m_buffer.size() - done);
        if (wrote == 0) {
            m_failed = true;
            break;
        }
        done += wrote;
    }
    if (m_failed) {
        // Keep only the whole lines: a line is written as a whole or not at all.
        const std::size_t keep = done == 0 ? std::string::npos : m_buffer.rfind('\n', done - 1);
        const std::size_t kept = keep == std::string::npos ? 0 : keep + 1;
        if (m_regular) cutTo(m_written + kept);
        for (std::size_t i = 0; i < kept; ++i) m_lines += m_buffer[i] == '\n' ? 1 : 0;
        m_written += kept;
    } else {
        m_written += done;
        m_lines += m_buffered;
        startWriteback();
    }
    m_buffered = 0;
    m_buffer.clear();
    return !m_failed;
}

bool ResultFile::writeLine(std::string_view line) {
    if (m_failed) return false;
    m_buffer.append(line);
    m_buffer += "\r\n";
    ++m_buffered;
    if (m_buffer.size() >= kBufferBytes) return flush();
    return true;
}

}  // namespace diz
