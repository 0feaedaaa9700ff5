#include "batch/library_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#endif

namespace diz {

namespace {

bool isPath(std::string_view name) {
    return name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos;
}

}  // namespace

std::string libraryFileName(std::string_view name) {
    if (isPath(name)) return std::string(name);
#if defined(_WIN32)
    return std::string(name) + ".dll";
#elif defined(__APPLE__)
    return "lib" + std::string(name) + ".dylib";
#else
    return "lib" + std::string(name) + ".so";
#endif
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(std::string_view name, std::string* reason) {
    const std::string file = libraryFileName(name);
    const auto failed = [reason](std::string text) -> std::unique_ptr<SharedLibrary> {
        if (reason != nullptr) *reason = std::move(text);
        return nullptr;
    };
#if defined(_WIN32)
    HMODULE handle = nullptr;
    if (isPath(name)) {
        // A path is made absolute first: the search flags below leave relative
        // paths undefined. Its dependencies are looked for beside it.
        char full[MAX_PATH];
        const DWORD length = GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
        if (length == 0 || length >= MAX_PATH) return failed(file + ": the path is too long");
        handle = LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    } else {
        // Only the program's own folder and System32: the current directory
        // and PATH are never searched.
        handle = LoadLibraryExA(file.c_str(), nullptr,
                                LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    if (handle == nullptr) {
        return failed(file + ": LoadLibraryEx failed with error " + std::to_string(GetLastError()) +
                      " (looked for in the program's folder and the system folder)");
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(reinterpret_cast<void*>(handle)));
#else
    // A fresh RTLD_LOCAL load gives the engine fresh state, so each run starts
    // alike.
    constexpr int kMode = RTLD_NOW | RTLD_LOCAL;
    // The loader's reason for the first place tried: beside the program.
    std::string firstError;
    if (!isPath(name)) {
        // Beside the program first, then ../lib and the engine's own
        // directory of an installed tree, by full path: the program's RUNPATH
        // says the same, but the dynamic loader applies it only when the
        // program itself calls dlopen, which an interposed dlopen (sanitizer
        // runtimes have one) is not.
        std::error_code error;
        const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error) {
            const std::filesystem::path prefix = exe.parent_path().parent_path();
            for (const auto& dir :
                 {exe.parent_path(), prefix / "lib", prefix / DIZ_INSTALL_ENGINEDIR}) {
                if (void* handle = dlopen((dir / file).c_str(), kMode)) {
                    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
                }
                if (firstError.empty()) firstError = dlerror();
            }
        }
    }
    // A bare name is then searched for in the RUNPATH, the library path and
    // the system directories; never in the current directory.
    void* handle = dlopen(file.c_str(), kMode);
    if (handle == nullptr) return failed(firstError.empty() ? dlerror() : firstError);
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
#endif
}

SharedLibrary::~SharedLibrary() {
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(m_handle));
#else
    dlclose(m_handle);
#endif
}

void* SharedLibrary::find(const char* symbol) const {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(m_handle), symbol));
#else
    return dlsym(m_handle, symbol);
#endif
}

}  // namespace diz
