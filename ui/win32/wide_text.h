// Text at the boundary between the application core, which holds UTF-8, and
// the Windows API, which takes UTF-16 (the W functions).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace diz::win32 {

// `utf8` as UTF-16. A byte sequence that is not UTF-8 becomes U+FFFD.
std::wstring toWide(std::string_view utf8);
// `wide` as UTF-8. A lone surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view wide);

// `text` with every "\n" written as "\r\n", the line end a multi-line edit
// control shows; a "\r\n" already there stays as it is.
std::wstring withCrLf(std::wstring_view text);
// `text` with every "\r\n" read back as "\n".
std::wstring withoutCr(std::wstring_view text);

// The text of a window or control, in UTF-8.
std::string windowText(HWND window);
// Sets the text of a window or control from UTF-8.
void setWindowText(HWND window, std::string_view text);
// Sets the text from UTF-8 with its line ends as CR LF, the only ones an edit
// control breaks lines at, and only when it differs from what the control
// shows: a control repaints at every change.
void setChangedText(HWND window, std::string_view text);

}  // namespace diz::win32
