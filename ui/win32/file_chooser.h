// The system's open and save choosers (GetOpenFileNameW, GetSaveFileNameW)
// as the core's FileChooser.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "batch/window.h"

namespace diz::win32 {

// How a chooser is set up for a request. The one filter is named "全て(*.*)";
// a wildcard initial name ("*.txt") is no name but the filter's pattern, and
// the name box then starts empty. The chooser always starts in the current
// directory and never changes it. The system asks before replacing a file;
// before creating one the chooser asks itself (msg::createPrompt), as not
// every system's save chooser does.
struct ChooserSetup {
    std::wstring filter;  // pairs of name and pattern, each ended by a NUL, a NUL after the last
    std::wstring initialName;
    std::wstring defaultExtension;
    DWORD flags = 0;
};
ChooserSetup chooserSetup(const ChooserRequest& request);

// Asks over `owner` (which may be null); the chosen path comes back in UTF-8.
// When the request asks before creating a file and the chosen one does not
// exist, a box asks whether to create it; No opens the chooser again on that
// name.
class SystemFileChooser final : public FileChooser {
  public:
    explicit SystemFileChooser(HWND owner) : m_owner(owner) {}
    std::optional<std::string> choose(const ChooserRequest& request) override;

  private:
    HWND m_owner;
};

}  // namespace diz::win32
