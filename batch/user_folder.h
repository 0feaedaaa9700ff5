// The folder of the user's own that the desktop entry starts DIZ in, so that
// a first start from the menu has everything a first run needs: the example
// batters and an order file of every ordering. A front-end calls
// prepareUserFolder() and then makes the folder its current directory before
// its window opens; later starts find the files as the user left them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace diz {

// The file names the folder is given on first start.
inline constexpr std::string_view kExampleBattersName = "batters.txt";
inline constexpr std::string_view kEveryOrderingName = "order.dat";

// $HOME/DIZ (on Windows %USERPROFILE%\Documents\DIZ); empty when the
// variable is not set.
std::filesystem::path userFolder();

// The example batters, nine lines with CR LF, as examples/batters.txt holds
// them.
std::string_view exampleBatters();

// Makes `folder` (and the folders above it) when it does not exist, and puts
// in it whichever of its two files is missing: batters.txt with the example
// batters and order.dat with all 362880 orderings of a..i in lexicographic
// order (CR LF, as `diz-cli orders` writes them). A file that is there is
// left alone. True when the folder was made now (a first start); nothing
// but a message (msg::kUserFolderFailed with the folder) when it can't be
// made or filled.
struct PreparedFolder {
    bool made = false;
    std::optional<std::string> problem;
};
PreparedFolder prepareUserFolder(const std::filesystem::path& folder);

}  // namespace diz
