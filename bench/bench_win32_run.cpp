// One whole Simulate in the Win32 main window, timed: the window shown, its
// log pane live, the batters loaded through Load, every order selected, the
// result file chooser and the closing message box answered without a user.
// The window is DIZ.exe's own (ui/win32); only the chooser and the boxes are
// stand-ins. Run under wine on a display, in the folder that holds order.dat:
//   bench_win32_run BATTERS.txt OUTPUT.txt
// Prints "window <wall seconds> <cpu seconds> <result lines in the log pane>"
// and the final message; exits 1 unless the run ended normally.

// The SDK's headers need <windows.h> before them.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <chrono>
#include <cstdio>
#include <string>

#include "batch/dialogs.h"
#include "support/recording_win32_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/win32/log_pane.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/wide_text.h"

namespace {

// CPU time of this thread, the window's, which runs the whole Simulate.
double threadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

void pump(diz::win32::MainDialog& dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog.translateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s BATTERS.txt OUTPUT.txt\n", argv[0]);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    diz::win32::MainDialog dialog(GetModuleHandleW(nullptr));
    diz::support::RecordingWin32Boxes boxes;
    dialog.setMessageBoxes(&boxes);
    diz::support::ScriptedChooser chooser{std::string(argv[1])};
    dialog.setFileChooser(&chooser);
    dialog.show();
    pump(dialog);

    dialog.load();
    diz::win32::setWindowText(dialog.control(diz::ids::kPatterns[0]), "*********");
    chooser.answer = std::string(argv[2]);
    pump(dialog);

    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = threadCpuSeconds();
    dialog.simulate();
    // What the user sees at the end: the box closed, the pane caught up.
    pump(dialog);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double cpu = threadCpuSeconds() - cpuStart;

    const std::string log = dialog.logPane().contents();
    long long lines = 0;
    for (const char c : log) lines += c == '\n';
    std::printf("window %.3f %.3f %lld\n", wall, cpu, lines);
    const std::string outcome = boxes.shown.empty() ? std::string() : boxes.shown.back().text;
    std::fwrite(outcome.data(), 1, outcome.size(), stdout);
    std::printf("\n");
    return outcome.starts_with("正常に終了しました") ? 0 : 1;
}
