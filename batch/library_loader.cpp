#include "library_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace diz {

std::string libraryFileName(std::string_view name) {
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos) {
        return std::string(name);
    }
#if defined(_WIN32)
    return std::string(name) + ".dll";
#elif defined(__APPLE__)
    return "lib" + std::string(name) + ".dylib";
#else
    return "lib" + std::string(name) + ".so";
#endif
}

std::unique_ptr<SharedLibrary> SharedLibrary::open(std::string_view name) {
    const std::string file = libraryFileName(name);
#if defined(_WIN32)
    // Only the program's own folder and System32: the current directory and
    // PATH are never searched.
    HMODULE handle = LoadLibraryExA(
        file.c_str(), nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (handle == nullptr) return nullptr;
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(reinterpret_cast<void*>(handle)));
#else
    // A name without a slash is searched for in the program's RUNPATH ($ORIGIN,
    // so beside the program), the library path and the system directories; the
    // dynamic loader never looks in the current directory for it. A fresh
    // RTLD_LOCAL load gives the engine fresh state, so each run starts alike.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
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
