// The windows' progress bars: busy (to and fro) while how much is left is
// unknown, else filled to a share.
#pragma once

#include <windows.h>

#include <cstddef>

namespace diz::win32 {

// Starts or stops the bar's marquee. Each change is made only when it
// changes something: the bar repaints at every one.
void setBusy(HWND progress, bool busy);
// Stops the marquee and fills the bar to `done` of `total` (empty for a
// total of 0).
void setProgress(HWND progress, std::size_t done, std::size_t total);

}  // namespace diz::win32
