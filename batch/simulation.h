// Simulating orders by playing games: the nine summary lines, the engine
// library loaded, and the window's Simulate action, which then asks for the
// result file and plays every selected line of the order file through
// `trial`, one result line per order to the result file and the log.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "batch/order_evaluators.h"
#include "batch/run_pipeline.h"

namespace diz {

struct WindowModel;
class Window;
class FileChooser;

// The first steps of every simulation: the nine summary lines of `batters` to
// the observer's log, then `core` (or `libraryName`) loaded and checked to
// have room for `games` games. On a failure the observer hears it
// (msg::kEngineMissing with the loader's reason, or msg::kNoMemoryForGames)
// and nothing is returned.
std::unique_ptr<TrialEvaluator> openSimulation(const BatterTable& batters, GamesPerOrder games,
                                               RunObserver& observer,
                                               std::string_view libraryName = "core");

// Where the window's Simulate finds its order file and the engine library.
struct SimulationFiles {
    std::string orderFile = "order.dat";  // relative to the current directory
    std::string libraryName = "core";     // the engine library's bare name
};

// The Simulate action over `model` (already read from the controls): clears
// the log, opens the simulation (the summary lines, then a warning for each
// count that cannot be), checks that the order file can be read (reporting
// it with its folder, before any chooser), asks for the result file and runs
// the selected lines of the order file. A cancelled chooser ends it quietly
// (Cancelled: the status says so, no box); after a normal end the status line
// begins with where orders are compared (msg::kRankingHint), then the
// message. Running out of memory or
// threads is reported (msg::kOutOfMemory, msg::kNoThread) with the previous
// results kept. Its outcome is the status text, the reported message, the log
// and the result file; it throws nothing of its own.
RunOutcome runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                         const SimulationFiles& files = {});

}  // namespace diz
