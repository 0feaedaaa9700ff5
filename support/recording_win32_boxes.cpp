#include "support/recording_win32_boxes.h"

namespace diz::support {

void RecordingWin32Boxes::show(HWND, std::string_view text, Kind kind) {
    shown.push_back({std::string(text), kind, GetFocus()});
    if (onShow) onShow();
}

bool RecordingWin32Boxes::ask(HWND, std::string_view text) {
    asked.emplace_back(text);
    return answer;
}

}  // namespace diz::support
