// DIZ.exe: the batting-order simulator's window.
#include <windows.h>

#include "ui/win32/main_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return diz::win32::runMainWindow(instance);
}
