// The program's run: the main window from start to close.
#pragma once

#include <windows.h>

namespace diz::win32 {

// Sets up the common controls, shows the main window from `instance`'s
// resources and runs the thread's message loop until the window is closed.
// Returns the process's exit status.
int runMainWindow(HINSTANCE instance);

}  // namespace diz::win32
