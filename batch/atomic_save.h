// Saving a file so that its old contents survive any failure: the new bytes
// go to a temporary file beside it, which replaces it only once everything
// was written and closed.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace diz {

// Takes the next bytes of a file being saved; false once they can't be
// written.
using ByteSink = std::function<bool(std::string_view bytes)>;
// Makes a file's bytes piece by piece, handing each to the sink; false when
// it could not make them all (or the sink refused some).
using BytesProducer = std::function<bool(const ByteSink& write)>;

enum class SaveResult {
    Saved,
    NotCreated,  // the file (or its temporary beside it) could not be created
    NotWritten,  // it could not be written in full, closed or renamed
};

// Replaces the contents of `path` with what `produce` makes, so that a file
// too large to hold in memory whole can be saved. A symbolic link is written
// through to its target, and a file that existed keeps its permissions; a
// device or a pipe is written into, never replaced, and opening it never
// waits: a pipe that no one reads is NotCreated at once. Unless Saved, a
// regular `path` is as it was and no temporary file is left; an exception
// from `produce` (out of memory) passes on, with the same guarantee.
SaveResult saveAtomically(const std::filesystem::path& path, const BytesProducer& produce);

// The same for bytes already at hand.
SaveResult saveAtomically(const std::filesystem::path& path, std::string_view bytes);

// A name beside `target` that no other save or run of this process uses: the
// target's name, the process and a counter, ".tmp".
std::filesystem::path temporaryBeside(const std::filesystem::path& target);

}  // namespace diz
