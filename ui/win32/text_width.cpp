#include "ui/win32/text_width.h"

#include <string>

#include "ui/win32/handles.h"

namespace diz::win32 {

int textWidth(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return textWidth(control, text);
}

int textWidth(HWND window, std::wstring_view text) {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    WindowDc dc(window);
    const SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace diz::win32
