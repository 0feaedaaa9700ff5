// Saving a file so that its old contents survive any failure: the new bytes
// go to a temporary file beside it, which replaces it only once everything
// was written and closed.
#pragma once

#include <filesystem>
#include <string_view>

namespace diz {

// Replaces the contents of `path` with `bytes`. A symbolic link is written
// through to its target, and a file that existed keeps its permissions.
// False, with `path` as it was, when the temporary file can't be made,
// written, closed or renamed.
bool saveAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace diz
