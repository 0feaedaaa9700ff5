// The windows' modal message boxes, behind an interface so that tests and
// tools can answer them without a box popping up.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace diz::win32 {

class MessageBoxes {
  public:
    enum class Kind {
        Report,      // an action's outcome: no icon
        Validation,  // a field that does not hold a valid value: warning icon
    };
    virtual ~MessageBoxes() = default;
    // Shows `text` (UTF-8) modally over `owner` with the application's name
    // as the title and one OK button, and returns when the user has closed it.
    virtual void show(HWND owner, std::string_view text, Kind kind) = 0;
    // Asks `text` with Yes and No, No the default (Enter answers no); true
    // for Yes.
    virtual bool ask(HWND owner, std::string_view text) = 0;
};

// MessageBoxW.
class SystemMessageBoxes final : public MessageBoxes {
  public:
    void show(HWND owner, std::string_view text, Kind kind) override;
    bool ask(HWND owner, std::string_view text) override;
};

// The application's name, the title of its message boxes: the program's file
// name without its extension ("DIZ" for DIZ.exe).
const std::wstring& applicationName();

}  // namespace diz::win32
