// window_probe.exe: what a tester reads off the screen, for the keyboard tests
// under wine. It looks at the windows of other programs on the same desktop
// and prints in UTF-8:
//   window_probe texts TITLE        the texts of the window and of its controls, one a line
//   window_probe field TITLE ID     the text of control ID
//   window_probe grid TITLE         the batter grid's cells, a row a line, blank between cells
//   window_probe focus TITLE        the focused control: "ID START END LENGTH" (its selection)
//   window_probe menu               "open" while a popup menu is open
//   window_probe close TITLE        asks the window to close
//   window_probe glyphs             the dialogs' font, and how many characters it lacks
//   window_probe shortcut FILE.lnk  the shortcut's target and working folder, one a line
// Exit status 0, or 1 when the window (or the menu) is not there.

// The SDK's headers need <windows.h> before them.
// clang-format off
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <cstdio>
#include <string>
#include <vector>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/handles.h"
#include "ui/win32/wide_text.h"

using namespace diz;
using namespace diz::win32;

namespace {

void print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

// Another program's control holds its text itself: ask it.
std::wstring textOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

struct Search {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<Search*>(search);
    if (IsWindowVisible(window) && textOf(window) == wanted.title) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND topLevel(const char* title) {
    Search search{toWide(title)};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) std::fprintf(stderr, "window_probe: no window \"%s\"\n", title);
    return search.found;
}

BOOL CALLBACK findMenu(HWND window, LPARAM found) {
    wchar_t type[16] = {};
    GetClassNameW(window, type, 16);
    if (IsWindowVisible(window) && std::wstring_view(type) == L"#32768") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

int texts(const char* title) {
    const HWND window = topLevel(title);
    if (window == nullptr) return 1;
    print(toUtf8(textOf(window)));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        print(toUtf8(textOf(child)));
    }
    return 0;
}

int field(const char* title, const char* id) {
    const HWND window = topLevel(title);
    if (window == nullptr) return 1;
    const HWND control = GetDlgItem(window, std::atoi(id));
    if (control == nullptr) return 1;
    print(toUtf8(textOf(control)));
    return 0;
}

int grid(const char* title) {
    const HWND window = topLevel(title);
    if (window == nullptr) return 1;
    for (const ids::GridRow& row : ids::kGrid) {
        std::string line;
        for (const int id : row) {
            if (!line.empty()) line += ' ';
            line += toUtf8(textOf(GetDlgItem(window, id)));
        }
        print(line);
    }
    return 0;
}

int focus(const char* title) {
    const HWND window = topLevel(title);
    if (window == nullptr) return 1;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) ||
        thread.hwndFocus == nullptr) {
        return 1;
    }
    const auto selection = static_cast<DWORD>(SendMessageW(thread.hwndFocus, EM_GETSEL, 0, 0));
    std::printf("%d %u %u %d\n", GetDlgCtrlID(thread.hwndFocus), LOWORD(selection),
                HIWORD(selection),
                static_cast<int>(SendMessageW(thread.hwndFocus, WM_GETTEXTLENGTH, 0, 0)));
    return 0;
}

// A program's menus keep their entries to themselves under wine, so only
// whether one is open can be seen from outside.
int menu() {
    HWND popup = nullptr;
    EnumWindows(findMenu, reinterpret_cast<LPARAM>(&popup));
    if (popup == nullptr) return 1;
    print("open");
    return 0;
}

int close(const char* title) {
    const HWND window = topLevel(title);
    if (window == nullptr) return 1;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

// Whether the font the dialogs are set in shows every character of their
// texts and of the messages they show.
int glyphs() {
    const std::wstring& face = dialogFontFace();
    WindowDc screen(nullptr);
    LOGFONTW wanted{};
    wanted.lfHeight = -MulDiv(kDialogFontPoints, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    const UniqueFont font(CreateFontIndirectW(&wanted));
    const SelectedObject selected(screen.get(), font.get());
    std::wstring texts;
    for (const DialogTemplate* dialog : {&kMainDialogTemplate, &kAboutDialogTemplate}) {
        texts += toWide(dialog->caption);
        for (const ControlItem& item : dialog->controls) texts += toWide(item.caption);
    }
    for (const std::string_view message :
         {msg::kNormalEnd, msg::kRankingTitle, msg::kRankingEveryOrdering, msg::kChartSpread,
          kAboutMenuText, kRankingMenuText}) {
        texts += toWide(message);
    }
    std::vector<WORD> indices(texts.size());
    GetGlyphIndicesW(screen.get(), texts.c_str(), static_cast<int>(texts.size()), indices.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    int missing = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (indices[i] == 0xFFFF && texts[i] != L'\n') ++missing;
    }
    wchar_t realised[LF_FACESIZE] = {};
    GetTextFaceW(screen.get(), LF_FACESIZE, realised);
    std::printf("face %s realised %s missing %d of %d\n", toUtf8(face).c_str(),
                toUtf8(realised).c_str(), missing, static_cast<int>(texts.size()));
    return 0;
}

int shortcut(const char* file) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    int status = 1;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted))) &&
        SUCCEEDED(persisted->Load(toWide(file).c_str(), STGM_READ))) {
        wchar_t target[MAX_PATH] = {};
        wchar_t folder[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, 0);
        link->GetWorkingDirectory(folder, MAX_PATH);
        print(toUtf8(target));
        print(toUtf8(folder));
        status = 0;
    }
    if (persisted) persisted->Release();
    if (link) link->Release();
    CoUninitialize();
    return status;
}

}  // namespace

// The arguments as UTF-8, whatever the system's code page (titles are Japanese).
int wmain(int argc, wchar_t** wideArgv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(toUtf8(wideArgv[i]));
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "texts" && argc == 3) return texts(argv[2]);
    if (command == "field" && argc == 4) return field(argv[2], argv[3]);
    if (command == "grid" && argc == 3) return grid(argv[2]);
    if (command == "focus" && argc == 3) return focus(argv[2]);
    if (command == "menu" && argc == 2) return menu();
    if (command == "close" && argc == 3) return close(argv[2]);
    if (command == "glyphs" && argc == 2) return glyphs();
    if (command == "shortcut" && argc == 3) return shortcut(argv[2]);
    std::fprintf(stderr,
                 "usage: window_probe texts|field|grid|focus|menu|close|glyphs|shortcut ...\n");
    return 2;
}
