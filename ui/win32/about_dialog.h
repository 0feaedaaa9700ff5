// The About box, dialog 100 of the core's tables.
#pragma once

#include <windows.h>

namespace diz::win32 {

// Shows the About box modally over `owner`, centred on it, and returns when
// it was closed (OK, Enter, Escape or the close box). The icon is icon
// resource 128 of `instance`.
void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace diz::win32
