// One simulation run: every selected line of the order file through `trial`,
// one result line per order to the result file and the log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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
};

// Runs one whole simulation over `model` (already read from the controls).
// Its outcome is the status text, the reported message, the log and the
// result file; it throws nothing.
void runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                   const RunSettings& settings = RunSettings{});

// How a run ended: with the normal-end message, or with any other reported
// message (the CLI turns this into its exit status).
enum class RunOutcome { NormalEnd, Failed };

// The same run, telling the caller how it ended.
RunOutcome performSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                             const RunSettings& settings = RunSettings{});

}  // namespace diz
