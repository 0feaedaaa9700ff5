#include "tests/windows/win32_test_support.h"

#include <chrono>
#include <deque>
#include <fstream>
#include <sstream>
#include <vector>

#include "batch/text_io.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/wide_text.h"

namespace diz::win32::test {
namespace {

std::deque<std::function<void()>> g_steps;

void CALLBACK runStep(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (g_steps.empty()) return;
    std::function<void()> step = std::move(g_steps.front());
    g_steps.pop_front();
    step();
}

void dispatch(MainDialog& dialog, MSG& message) {
    if (dialog.translateMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

BOOL CALLBACK collect(HWND window, LPARAM found) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> threadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

void pump(MainDialog& dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dispatch(dialog, message);
}

bool pumpUntil(MainDialog& dialog, const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        pump(dialog);
        if (done()) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void pressKey(MainDialog& dialog, HWND target, WPARAM key) {
    MSG down{target, WM_KEYDOWN, key, 1, GetTickCount(), {}};
    dispatch(dialog, down);
    MSG up{target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), GetTickCount(), {}};
    dispatch(dialog, up);
    pump(dialog);
}

void whenModal(std::function<void()> step) {
    g_steps.push_back(std::move(step));
    SetTimer(nullptr, 0, 20, runStep);
}

HWND threadWindow(std::wstring_view title) {
    for (const HWND window : threadWindows()) {
        if (textOf(window) == title) return window;
    }
    return nullptr;
}

std::vector<HWND> threadDialogs() {
    std::vector<HWND> dialogs;
    for (const HWND window : threadWindows()) {
        wchar_t type[16] = {};
        GetClassNameW(window, type, 16);
        if (std::wstring_view(type) == L"#32770") dialogs.push_back(window);
    }
    return dialogs;
}

std::wstring textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::vector<std::wstring> childTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(textOf(child));
    }
    return texts;
}

std::string exampleFile(std::string_view name) {
    return std::string(DIZ_EXAMPLES_DIR) + "/" + std::string(name);
}

ScratchDir::ScratchDir() {
    static int count = 0;
    m_dir =
        std::filesystem::temp_directory_path() /
        ("diz-win32-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::filesystem::path ScratchDir::path(std::string_view name) const {
    return name.empty() ? m_dir : m_dir / utf8Path(name);
}

std::string ScratchDir::read(std::string_view name) const { return readFile(path(name)); }

int runProgram(std::string_view program, std::wstring_view arguments) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE nul =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    const std::wstring path = toWide(program);
    std::wstring line = L"\"" + path + L"\" " + std::wstring(arguments);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

std::string readFile(const std::filesystem::path& path) {
    std::string bytes;
    if (readSmallFile(path, std::size_t{1} << 30, bytes) != FileRead::Read) bytes.clear();
    return bytes;
}

}  // namespace diz::win32::test
