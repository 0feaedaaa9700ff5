// How wide text is drawn in a window's own font, for laying controls out.
#pragma once

#include <windows.h>

#include <string_view>

namespace diz::win32 {

// The width in pixels of the control's text.
int textWidth(HWND control);
// The width in pixels of `text` in the window's font.
int textWidth(HWND window, std::wstring_view text);

}  // namespace diz::win32
