#include "ui/win32/progress_bar.h"

#include <commctrl.h>

#include <algorithm>

namespace diz::win32 {

void setBusy(HWND progress, bool busy) {
    const LONG_PTR style = GetWindowLongPtrW(progress, GWL_STYLE);
    if (((style & PBS_MARQUEE) != 0) == busy) return;
    SetWindowLongPtrW(progress, GWL_STYLE, busy ? style | PBS_MARQUEE : style & ~PBS_MARQUEE);
    SendMessageW(progress, PBM_SETMARQUEE, busy, 30);
}

void setProgress(HWND progress, std::size_t done, std::size_t total) {
    setBusy(progress, false);
    const auto high = static_cast<int>(total);
    if (SendMessageW(progress, PBM_GETRANGE, FALSE, 0) != high) {
        SendMessageW(progress, PBM_SETRANGE32, 0, high);
    }
    const auto position = static_cast<int>(std::min(done, total));
    if (SendMessageW(progress, PBM_GETPOS, 0, 0) != position) {
        SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
}

}  // namespace diz::win32
