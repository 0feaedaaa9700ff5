// The Simulate action: the nine summary lines, the engine library, the result
// file chosen, then every selected line of the order file played through
// `trial`, one result line per order to the result file and the log.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

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
    // The batter file the table came from, refused as the result file; may be
    // empty.
    std::string batterFile;
    // See RunPlan: ends the run between two orders; may be null.
    const std::atomic<bool>* stop = nullptr;
    // See RunPlan: the system's reason after a failure; may be empty.
    std::function<void(std::string_view reason)> explain;
    // See RunPlan: after the last order, a destination of the caller's own that
    // failed; may be empty.
    std::function<std::optional<std::string>()> onFinish;
};

// Runs one whole simulation over `model` (already read from the controls).
// Its outcome is the status text, the reported message, the log and the
// result file; it throws nothing.
RunOutcome runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                         const RunSettings& settings = RunSettings{});

}  // namespace diz
