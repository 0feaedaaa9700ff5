// The main window's log pane over its multi-line, read-only edit control:
// text that grows at its end.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace diz::win32 {

// Appending always brings the end into view, without moving the keyboard
// focus. A run over every batting order appends hundreds of thousands of
// lines while the window's thread is busy, so the pane keeps only its last
// kLogMaxLines lines and takes appended text in at most once per
// kLogRepaintIntervalMs (batch/log_retention.h), in one edit, repainting at
// once. Text appended in between waits for the next append after that time,
// for flush(), or for the timer that the pane sets on `timerOwner`, whose
// WM_TIMER with kFlushTimer must call flush(). Only the window's thread may
// call it.
class LogPane {
  public:
    static constexpr UINT_PTR kFlushTimer = 0x4C4F;

    LogPane(HWND edit, HWND timerOwner);

    // Adds UTF-8 text at the end; each '\n' ends a line.
    void append(std::string_view text);
    // Empties the pane.
    void clear();
    // Takes in the waiting text, brings the end into view and repaints now.
    void flush();
    // The whole text in UTF-8 with '\n' line ends, the waiting text included.
    std::string contents();

    HWND edit() const { return m_edit; }

  private:
    void keepLastWaitingLines();
    void noteLines(std::wstring_view text);
    void dropOldestLines();

    HWND m_edit;
    HWND m_timerOwner;
    std::wstring m_waiting;           // appended, not yet in the control, with CR LF
    std::size_t m_waitingLines = 0;   // line ends in m_waiting
    std::deque<std::size_t> m_lines;  // each whole line's length in the control, CR LF included
    std::size_t m_openLine = 0;       // characters after the control's last line end
    std::chrono::steady_clock::time_point m_lastFlush{};
    bool m_flushed = false;  // m_lastFlush is set
    bool m_timerSet = false;
};

}  // namespace diz::win32
