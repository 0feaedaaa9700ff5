// Loading the engine library by name for the span of one run.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace diz {

// The platform's file name for a library's bare name: "libcore.so" on Linux,
// "core.dll" on Windows, "libcore.dylib" on macOS. A name that already holds a
// directory separator is a path and is returned unchanged.
std::string libraryFileName(std::string_view name);

// A loaded shared library; unloading happens when the object goes away.
class SharedLibrary {
  public:
    // Loads `name` (a bare name, or a path). The library is looked for beside
    // the program (its RUNPATH $ORIGIN) and in the system's usual places, never
    // in the current directory. Nothing when it can't be loaded; `reason`
    // (when given) then holds the system loader's words, naming the file tried.
    static std::unique_ptr<SharedLibrary> open(std::string_view name,
                                               std::string* reason = nullptr);

    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of export `symbol`, or null when it is missing.
    void* find(const char* symbol) const;

  private:
    explicit SharedLibrary(void* handle) : m_handle(handle) {}
    void* m_handle;
};

}  // namespace diz
