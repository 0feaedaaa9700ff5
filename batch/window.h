// How the window's actions (Load, Save, Simulate) reach a window: five window
// operations and the file choosers. Each front-end supplies its own, and so
// do the tests.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace diz {

// The five operations of a window. All texts are UTF-8. showModel() and
// reportMessage() show the window's own model, which is the one the action
// was given.
class Window {
  public:
    virtual ~Window() = default;
    // Empties the log pane.
    virtual void clearLog() = 0;
    // Adds text at the end of the log; each '\n' ends a line.
    virtual void appendLog(std::string_view text) = 0;
    // Shows every model value in its control, the status text included.
    virtual void showModel() = 0;
    // Repaints the window at once (a run keeps the event loop busy).
    virtual void repaintNow() = 0;
    // The status text becomes `text`; a modal box shows it with one OK button
    // and waits; then showModel().
    virtual void reportMessage(std::string_view text) = 0;
};

// What a chooser is asked to show. Every chooser of the system offers one
// filter, all files, and "txt" as the default extension, and never changes
// the current directory; how the filter is spelt is the chooser's business.
struct ChooserRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string initialName;  // "*.txt" for batter files, "output.txt" for results
    std::string defaultExtension = "txt";
    bool fileMustExist = false;    // open: the chosen file must exist
    bool overwritePrompt = false;  // save: ask before replacing a file
    bool createPrompt = false;     // save: ask before creating a new file
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // The chosen path (UTF-8), or nothing when the user cancels. The name
    // the user typed becomes the path through chosenName().
    virtual std::optional<std::string> choose(const ChooserRequest& request) = 0;
};

// The file that a name typed into a chooser stands for: the name as typed
// when a file of that name exists or when its last part has an extension
// (a '.'); otherwise the name with "." and `defaultExtension` added (when
// that is not empty). So "lineup" opens an existing file "lineup" and
// otherwise means "lineup.txt". `exists` tells whether a file is there.
std::string chosenName(std::string_view typed, std::string_view defaultExtension,
                       const std::function<bool(const std::string&)>& exists);

}  // namespace diz
