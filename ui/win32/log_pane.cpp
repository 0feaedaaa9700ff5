#include "ui/win32/log_pane.h"

#include <algorithm>

#include "batch/log_retention.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {

LogPane::LogPane(HWND edit, HWND timerOwner) : m_edit(edit), m_timerOwner(timerOwner) {
    // A multi-line edit holds 32767 characters unless told otherwise; the
    // pane's own limit is its count of lines.
    SendMessageW(m_edit, EM_SETLIMITTEXT, 0, 0);
}

void LogPane::append(std::string_view text) {
    const std::wstring wide = withCrLf(toWide(text));
    m_waiting += wide;
    m_waitingLines += static_cast<std::size_t>(std::count(wide.begin(), wide.end(), L'\n'));
    // Nothing that would drop off the top at once is kept waiting.
    if (m_waitingLines > 2 * static_cast<std::size_t>(kLogMaxLines)) keepLastWaitingLines();
    const auto now = std::chrono::steady_clock::now();
    if (!m_flushed || now - m_lastFlush >= std::chrono::milliseconds(kLogRepaintIntervalMs)) {
        flush();
    } else if (!m_timerSet) {
        // The last appends of a burst are shown once the event loop runs again.
        m_timerSet = SetTimer(m_timerOwner, kFlushTimer, kLogRepaintIntervalMs, nullptr) != 0;
    }
}

void LogPane::clear() {
    m_waiting.clear();
    m_waitingLines = 0;
    m_lines.clear();
    m_openLine = 0;
    SetWindowTextW(m_edit, L"");
}

void LogPane::keepLastWaitingLines() {
    // Cut after the line end that starts the last kLogMaxLines lines.
    std::size_t cut = m_waiting.size();
    for (int ends = 0; ends <= kLogMaxLines; ++ends) {
        if (cut == 0) return;
        cut = m_waiting.rfind(L'\n', cut - 1);
        if (cut == std::wstring::npos) return;
    }
    m_waiting.erase(0, cut + 1);
    m_waitingLines = static_cast<std::size_t>(kLogMaxLines);
}

void LogPane::noteLines(std::wstring_view text) {
    std::size_t start = 0;
    for (std::size_t end = text.find(L'\n'); end != std::wstring_view::npos;
         end = text.find(L'\n', start)) {
        m_lines.push_back(m_openLine + end + 1 - start);
        m_openLine = 0;
        start = end + 1;
    }
    m_openLine += text.size() - start;
}

void LogPane::dropOldestLines() {
    if (m_lines.size() <= static_cast<std::size_t>(kLogMaxLines)) return;
    std::size_t characters = 0;
    while (m_lines.size() > static_cast<std::size_t>(kLogMaxLines)) {
        characters += m_lines.front();
        m_lines.pop_front();
    }
    SendMessageW(m_edit, EM_SETSEL, 0, static_cast<LPARAM>(characters));
    SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

void LogPane::flush() {
    if (m_timerSet) {
        KillTimer(m_timerOwner, kFlushTimer);
        m_timerSet = false;
    }
    if (m_waiting.empty()) return;
    // Painting waits until the text is in and trimmed: one repaint per flush.
    SendMessageW(m_edit, WM_SETREDRAW, FALSE, 0);
    if (m_waitingLines >= static_cast<std::size_t>(kLogMaxLines)) {
        // The waiting text alone fills the pane: the old text goes at once.
        keepLastWaitingLines();
        SetWindowTextW(m_edit, L"");
        m_lines.clear();
        m_openLine = 0;
    }
    const LRESULT end = SendMessageW(m_edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(m_waiting.c_str()));
    noteLines(m_waiting);
    m_waiting.clear();
    m_waitingLines = 0;
    dropOldestLines();
    SendMessageW(m_edit, WM_SETREDRAW, TRUE, 0);

    // The caret at the very end, in view; the user's selection goes.
    const LRESULT length = SendMessageW(m_edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
    // At once, because during a run the event loop does not get to paint.
    RedrawWindow(m_edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    m_lastFlush = std::chrono::steady_clock::now();
    m_flushed = true;
}

std::string LogPane::contents() {
    flush();
    const int length = GetWindowTextLengthW(m_edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(m_edit, text.data(), length + 1)));
    return toUtf8(withoutCr(text));
}

}  // namespace diz::win32
