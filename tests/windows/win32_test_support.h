// Driving the Win32 windows inside a test: their messages, keys, modal boxes
// and scratch folders.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace diz::win32 {
class MainDialog;
}

namespace diz::win32::test {

// Hands every waiting message of the thread to `dialog` (and on) until
// `done` holds or `timeoutMs` passed; false on the timeout.
bool pumpUntil(MainDialog& dialog, const std::function<bool()>& done, int timeoutMs = 120000);
// Hands on only the messages already waiting.
void pump(MainDialog& dialog);
// A press and release of `key` at `target` as the thread's message loop
// meets them, then the messages they made.
void pressKey(MainDialog& dialog, HWND target, WPARAM key);

// Runs `step` once the thread next waits for messages in a modal loop (a
// message box, a chooser, the About box); steps queued together run one per
// wait, in order.
void whenModal(std::function<void()> step);
// The visible top-level window of this thread titled `title`, or null.
HWND threadWindow(std::wstring_view title);
// Every visible top-level window of this thread with the dialog class.
std::vector<HWND> threadDialogs();
// The window's text.
std::wstring textOf(HWND window);
// The texts of the window's children, in their order.
std::vector<std::wstring> childTexts(HWND window);

// A file of the repository's examples/ folder.
std::string exampleFile(std::string_view name);

// Runs the console program `program` with the command line's arguments
// `arguments` (quoted as the program reads them), its standard streams on
// NUL, and waits for it: its exit status, or -1 when it could not start.
int runProgram(std::string_view program, std::wstring_view arguments);

// The whole file, or nothing when it can't be read.
std::string readFile(const std::filesystem::path& path);

// A fresh folder for the test, removed with its contents at the end.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::filesystem::path path(std::string_view name = {}) const;
    std::string read(std::string_view name) const;

  private:
    std::filesystem::path m_dir;
};

}  // namespace diz::win32::test
