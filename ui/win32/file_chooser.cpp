#include "ui/win32/file_chooser.h"

#include <commdlg.h>

#include <vector>

#include "batch/messages.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

// Room for a long path (the chooser reports a name that does not fit as an
// error, which counts as a cancel).
constexpr std::size_t kPathRoom = 32768;

bool hasWildcard(std::string_view name) { return name.find_first_of("*?") != name.npos; }

std::wstring currentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return {};
    std::wstring directory(length, L'\0');
    directory.resize(GetCurrentDirectoryW(length, directory.data()));
    return directory;
}

}  // namespace

ChooserSetup chooserSetup(const ChooserRequest& request) {
    ChooserSetup setup;
    const bool wildcard = hasWildcard(request.initialName);
    setup.filter = L"全て(*.*)";
    setup.filter += L'\0';
    setup.filter += wildcard ? toWide(request.initialName) : std::wstring(L"*.*");
    setup.filter += L'\0';
    if (!wildcard) setup.initialName = toWide(request.initialName);
    setup.defaultExtension = toWide(request.defaultExtension);
    // The current directory is the one the order file is found in: a
    // chooser must not move it.
    setup.flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (request.fileMustExist) setup.flags |= OFN_FILEMUSTEXIST;
    if (request.overwritePrompt) setup.flags |= OFN_OVERWRITEPROMPT;
    return setup;
}

std::optional<std::string> SystemFileChooser::choose(const ChooserRequest& request) {
    const ChooserSetup setup = chooserSetup(request);
    std::vector<wchar_t> name(kPathRoom, L'\0');
    setup.initialName.copy(name.data(), name.size() - 1);
    // Without an initial directory the system may start in the folder it
    // remembers for the program rather than in the current one.
    const std::wstring directory = currentDirectory();

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.lpstrFilter = setup.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
    dialog.lpstrDefExt = setup.defaultExtension.empty() ? nullptr : setup.defaultExtension.c_str();
    dialog.Flags = setup.flags;
    const bool save = request.kind == ChooserRequest::Kind::Save;
    for (;;) {
        if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return std::nullopt;
        if (!save || !request.createPrompt ||
            GetFileAttributesW(name.data()) != INVALID_FILE_ATTRIBUTES) {
            return toUtf8(name.data());
        }
        const std::wstring question =
            toWide(msg::createPrompt(toUtf8(name.data() + dialog.nFileOffset)));
        if (MessageBoxW(m_owner, question.c_str(), applicationName().c_str(),
                        MB_YESNO | MB_ICONQUESTION) == IDYES) {
            return toUtf8(name.data());
        }
        // The chooser opens again on the chosen name, in its folder.
    }
}

}  // namespace diz::win32
