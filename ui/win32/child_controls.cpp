#include "ui/win32/child_controls.h"

#include <tuple>

#include "batch/dialogs.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {

void setProgramIcons(HWND window, HINSTANCE instance) {
    for (const auto& [size, metricX, metricY] :
         {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
          std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        SendMessageW(window, WM_SETICON, static_cast<WPARAM>(size),
                     reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId),
                                                         IMAGE_ICON, GetSystemMetrics(metricX),
                                                         GetSystemMetrics(metricY), LR_SHARED)));
    }
}

HWND makeControl(HWND parent, HINSTANCE instance, DWORD exStyle, const wchar_t* type,
                 std::string_view caption, DWORD style, int id) {
    const HWND control = CreateWindowExW(
        exStyle, type, toWide(caption).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    const auto font = static_cast<WPARAM>(SendMessageW(parent, WM_GETFONT, 0, 0));
    SendMessageW(control, WM_SETFONT, font, FALSE);
    return control;
}

}  // namespace diz::win32
