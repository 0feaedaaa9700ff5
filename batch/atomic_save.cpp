#include "batch/atomic_save.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace diz {
namespace {

namespace fs = std::filesystem;

// Opens a file that is no regular one (a device, a pipe) for writing, as it
// is: never created, and without waiting for a reader.
std::FILE* openSpecial(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    // Only the open was not to wait; a reader that is slow is waited for.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) ::close(fd);
    return file;
#endif
}

}  // namespace

fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const int process = _getpid();
#else
    const int process = static_cast<int>(getpid());
#endif
    std::string suffix = ".";
    suffix.append(std::to_string(process));
    suffix.append(".");
    suffix.append(std::to_string(counter++));
    suffix.append(".tmp");
    fs::path name = target;
    name += suffix;
    return name;
}

namespace {

// Writes what `produce` makes to `path`: a new file, or with `special` the
// device or pipe that is there.
SaveResult writeAll(const fs::path& path, const BytesProducer& produce, bool special) {
#ifdef _WIN32
    // The C runtime here knows no "x" mode: create exclusively by hand.
    std::FILE* file = nullptr;
    if (special) {
        file = openSpecial(path);
    } else {
        const int fd =
            _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0 && (file = _fdopen(fd, "wb")) == nullptr) _close(fd);
    }
#else
    std::FILE* file = special ? openSpecial(path) : std::fopen(path.c_str(), "wbx");
#endif
    if (file == nullptr) return SaveResult::NotCreated;
    bool written = false;
    try {
        written = produce([file](std::string_view bytes) {
            return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        });
    } catch (...) {
        // Out of memory while making the bytes: the file is closed (and, a
        // temporary one, removed by the caller) before the exception goes on.
        std::fclose(file);
        throw;
    }
    const bool closed = std::fclose(file) == 0;
    return written && closed ? SaveResult::Saved : SaveResult::NotWritten;
}

}  // namespace

SaveResult saveAtomically(const fs::path& path, std::string_view bytes) {
    return saveAtomically(path, [bytes](const ByteSink& write) { return write(bytes); });
}

SaveResult saveAtomically(const fs::path& path, const BytesProducer& produce) {
    std::error_code error;
    // Through a link to the file it names, so that the link stays a link.
    fs::path target = path;
    if (fs::is_symlink(path, error)) {
        target = fs::weakly_canonical(path, error);
        if (error) return SaveResult::NotCreated;
    }
    const fs::file_status old = fs::status(target, error);
    if (fs::is_directory(old)) return SaveResult::NotCreated;
    // A device or a pipe can't be replaced, only written to.
    if (fs::exists(old) && !fs::is_regular_file(old)) return writeAll(target, produce, true);

    const fs::path temporary = temporaryBeside(target);
    SaveResult written = SaveResult::NotWritten;
    try {
        written = writeAll(temporary, produce, false);
    } catch (...) {
        fs::remove(temporary, error);
        throw;
    }
    if (written != SaveResult::Saved) {
        fs::remove(temporary, error);
        return written;
    }
    if (fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return SaveResult::NotWritten;
    }
    return SaveResult::Saved;
}

}  // namespace diz
