#include "ui/win32/message_boxes.h"

#include <vector>

#include "ui/win32/wide_text.h"

namespace diz::win32 {

void SystemMessageBoxes::show(HWND owner, std::string_view text, Kind kind) {
    const UINT icon = kind == Kind::Validation ? MB_ICONWARNING : 0;
    MessageBoxW(owner, toWide(text).c_str(), applicationName().c_str(), MB_OK | icon);
}

bool SystemMessageBoxes::ask(HWND owner, std::string_view text) {
    // The buttons' texts are the system's own: はい and いいえ in Japanese.
    return MessageBoxW(owner, toWide(text).c_str(), applicationName().c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

const std::wstring& applicationName() {
    static const std::wstring name = [] {
        std::vector<wchar_t> path(MAX_PATH);
        for (;;) {
            const DWORD length =
                GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0) return std::wstring();
            if (length < path.size()) {
                std::wstring full(path.data(), length);
                const std::size_t slash = full.find_last_of(L"\\/");
                std::wstring file = full.substr(slash == std::wstring::npos ? 0 : slash + 1);
                const std::size_t dot = file.find_last_of(L'.');
                return dot == std::wstring::npos ? file : file.substr(0, dot);
            }
            path.resize(path.size() * 2);
        }
    }();
    return name;
}

}  // namespace diz::win32
