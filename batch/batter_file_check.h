// The strict reading of a batter file that diz-cli does by default. The
// window's Load reads any file as the format's scanning rules allow, keeping
// a field's old value where a number stops being read and splitting long
// lines; a file read that way can silently turn batters into automatic outs
// or shift them a row. This check refuses such a file instead, naming the
// line and the field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace diz {

// Why `bytes`, the whole content of a batter file, would not read as nine
// complete batter lines: "3: 打者C の HR「5.2e2」は 32 ビットの整数ではありません"
// (the line number, then the reason), or nothing when every line is whole. A line holds
// six decimal integers in the 32-bit range and three finite numbers, separated
// by blanks; lines end in CR LF or LF; lines after the ninth are blank. A
// UTF-8 byte-order mark at the start is skipped, as the reader skips it.
std::optional<std::string> batterFileProblem(std::string_view bytes);

}  // namespace diz
