#include "ui/win32/main_app.h"

#include <commctrl.h>

#include "ui/win32/main_dialog.h"

namespace diz::win32 {

int runMainWindow(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // A run keeps the window's thread busy for as long as it lasts, painting
    // the log as it goes; the system's stand-in for a window that does not
    // answer would hide that after a few seconds.
    DisableProcessWindowsGhosting();

    MainDialog dialog(instance);
    if (!dialog.isOpen()) return 1;
    dialog.show();
    MSG message;
    while (dialog.isOpen() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialog.translateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace diz::win32
