// `diz-cli run`: one whole simulation run without a window.
#pragma once

#include <cstdint>

#include "cli_common.h"

namespace CLI {
class App;
}

namespace diz::cli {

struct RunOptions : SharedOptions {
    int64_t games = 140;  // games per order, 1..2147483647
};

// Exit status: kSuccess after the normal end, kRunFailed after any other
// reported message, kUsageError for a bad option or batter file.
void setup_run(CLI::App& app);
int run_run(const RunOptions& options);

}  // namespace diz::cli
