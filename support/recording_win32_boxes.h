// The Win32 window's message boxes without a box: the tests and the window
// benchmarks read what would have been shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/message_boxes.h"

namespace diz::support {

// Records every box instead of showing it, with the control that had the
// focus while it was up.
class RecordingWin32Boxes final : public win32::MessageBoxes {
  public:
    struct Shown {
        std::string text;  // UTF-8
        Kind kind;
        HWND focusWhileShown;
    };
    void show(HWND owner, std::string_view text, Kind kind) override;
    bool ask(HWND owner, std::string_view text) override;

    std::vector<Shown> shown;
    std::vector<std::string> asked;  // every question, in order
    bool answer = false;             // what ask() answers: no, as the default button
    std::function<void()> onShow;    // runs while the box would be up
};

}  // namespace diz::support
