#include "ui/win32/about_dialog.h"

#include "batch/dialogs.h"
#include "ui/win32/dialog_template.h"

namespace diz::win32 {
namespace {

void centreOnOwner(HWND dialog) {
    const HWND owner = GetWindow(dialog, GW_OWNER);
    RECT over{};
    RECT box{};
    if (owner == nullptr || !GetWindowRect(owner, &over) || !GetWindowRect(dialog, &box)) return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, over.left + (over.right - over.left - width) / 2,
                 over.top + (over.bottom - over.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void initialise(HWND dialog) {
    fitStaticTexts(dialog);
    centreOnOwner(dialog);
}

// OK, Enter, Escape and the close box end the box.
bool command(HWND dialog, int id) {
    if (id != IDOK && id != IDCANCEL) return false;
    EndDialog(dialog, id);
    return true;
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog);
            return TRUE;  // the focus goes to the first tab stop, OK
        case WM_COMMAND:
            return command(dialog, LOWORD(wParam));
        default:
            return FALSE;
    }
}

}  // namespace

void showAboutBox(HINSTANCE instance, HWND owner) {
    const DialogResource resource =
        buildDialogResource(kAboutDialogTemplate, modalDialogStyle(), 0);
    DialogBoxIndirectParamW(instance, resource.get(), owner, aboutProc, 0);
}

}  // namespace diz::win32
