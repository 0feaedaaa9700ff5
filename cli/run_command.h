// `diz-cli run`: one whole simulation run without a window.
#pragma once

#include "cli/cli_common.h"

namespace CLI {
class App;
}

namespace diz::cli {

// Exit status: kSuccess after the normal end, kRunFailed after any other
// reported message (no order selected, standard output lost, memory or
// threads that ran out included), kUsageError for a bad option or batter
// file, 128 + the signal's number after an interruption.
void addRunCommand(CLI::App& app);
int runCommand(const RunOptions& options);

}  // namespace diz::cli
