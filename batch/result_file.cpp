#include "batch/result_file.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>

#include "batch/text_io.h"
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

ResultFile::~ResultFile() { close(); }

#ifdef _WIN32

ResultFile::Opened ResultFile::open(const std::string& name) {
    if (name.empty()) {
        m_errno = ENOENT;
        return Opened::Failed;
    }
    HANDLE h =
        CreateFileW(utf8Path(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_errno = errnoOf(GetLastError());
        return Opened::Failed;
    }
    m_regular = GetFileType(h) == FILE_TYPE_DISK;
    if (m_regular) {
        OVERLAPPED whole{};
        if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                        MAXDWORD, &whole)) {
            CloseHandle(h);
            return Opened::Busy;
        }
        SetEndOfFile(h);  // the pointer is at 0: empties the file
    }
    m_handle = h;
    m_buffer.reserve(kBufferBytes);
    return Opened::Ok;
}

std::size_t ResultFile::writeSome(const char* data, std::size_t size) {
    DWORD wrote = 0;
    if (!WriteFile(static_cast<HANDLE>(m_handle), data, static_cast<DWORD>(size), &wrote,
                   nullptr) ||
        wrote == 0) {
        m_errno = errnoOf(GetLastError());
        return 0;
    }
    return wrote;
}

void ResultFile::cutTo(std::uint64_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(static_cast<HANDLE>(m_handle), at, nullptr, FILE_BEGIN);
    SetEndOfFile(static_cast<HANDLE>(m_handle));
}

bool ResultFile::close() {
    if (m_handle == nullptr) return !m_failed;
    flush();
    if (!CloseHandle(static_cast<HANDLE>(m_handle)) && !m_failed) {
        m_failed = true;
        m_errno = errnoOf(GetLastError());
    }
    m_handle = nullptr;
    return !m_failed;
}

#else

ResultFile::Opened ResultFile::open(const std::string& name) {
    if (name.empty()) {
        m_errno = ENOENT;
        return Opened::Failed;
    }
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_errno = errno;
        return Opened::Failed;
    }
    struct stat info {};
    m_regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (m_regular) {
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) return Opened::Busy;
            m_errno = error;
            return Opened::Failed;
        }
        if (ftruncate(fd, 0) != 0) {
            m_errno = errno;
            ::close(fd);
            return Opened::Failed;
        }
    }
    m_fd = fd;
    m_buffer.reserve(kBufferBytes);
    return Opened::Ok;
}

std::size_t ResultFile::writeSome(const char* data, std::size_t size) {
    for (;;) {
        const ssize_t wrote = ::write(m_fd, data, size);
        if (wrote > 0) return static_cast<std::size_t>(wrote);
        if (wrote < 0 && errno == EINTR) continue;
        m_errno = wrote < 0 ? errno : ENOSPC;
        return 0;
    }
}

void ResultFile::cutTo(std::uint64_t size) {
    if (ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
        // Nothing more can be done; the write error is what gets reported.
    }
}

bool ResultFile::close() {
    if (m_fd < 0) return !m_failed;
    flush();
    if (::close(m_fd) != 0 && !m_failed) {
        m_failed = true;
        m_errno = errno;
    }
    m_fd = -1;
    return !m_failed;
}

#endif

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
    if (m_failed && m_regular) {
        // Keep only the whole lines: a line is written as a whole or not at all.
        const std::size_t keep = done == 0 ? std::string::npos : m_buffer.rfind('\n', done - 1);
        cutTo(m_written + (keep == std::string::npos ? 0 : keep + 1));
        done = 0;
    }
    m_written += done;
    m_buffer.clear();
    return !m_failed;
}

bool ResultFile::writeLine(std::string_view line) {
    if (m_failed) return false;
    m_buffer.append(line);
    m_buffer += "\r\n";
    if (m_buffer.size() >= kBufferBytes) return flush();
    return true;
}

}  // namespace diz
