// The Simulate action: the nine summary lines, the engine library, the result
// file chosen, then every selected line of the order file played through
// `trial`, one result line per order to the result file and the log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "run_pipeline.h"

namespace diz {

struct WindowModel;
class Window;
class FileChooser;

struct RunSettings {
    std::string orderFile = "order.dat";  // relative to the current directory
    std::string libraryName = "core";     // the engine library's bare name
    // Called after each simulated order with the number done so far (the CLI's
    // progress line); may be empty.
    std::function<void(std::uint64_t ordersDone)> onOrderDone;
    // Handed to the run as they are; `explain` also gets the loader's reason
    // when the engine library can't be loaded.
    RunHooks hooks;
};

// Runs one whole simulation over `model` (already read from the controls).
// Its outcome is the status text, the reported message, the log and the
// result file; it throws nothing.
RunOutcome runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                         const RunSettings& settings = RunSettings{});

}  // namespace diz
