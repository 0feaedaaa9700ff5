// The command line as UTF-8, the encoding of every name inside DIZ.
#pragma once

#include <string>
#include <vector>

namespace diz::cli {

// `argv` as it is on Linux; on Windows, whose `argv` holds the arguments in
// the ANSI code page (a Japanese player's name or file name turns into '?'
// under another one), the process's wide command line converted to UTF-8.
std::vector<std::string> utf8Arguments(int argc, char** argv);

}  // namespace diz::cli
