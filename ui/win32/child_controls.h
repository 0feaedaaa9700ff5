// What the program's own top-level windows (the ranking and the roster
// windows) make alike: their icons and their child controls.
#pragma once

#include <windows.h>

#include <string_view>

namespace diz::win32 {

// Gives `window` the program's icon, big and small (shared: the system owns
// them).
void setProgramIcons(HWND window, HINSTANCE instance);

// A visible child control of `parent` with the parent's font and the
// identifier `id`, its place left to the parent's layout.
HWND makeControl(HWND parent, HINSTANCE instance, DWORD exStyle, const wchar_t* type,
                 std::string_view caption, DWORD style, int id);

}  // namespace diz::win32
