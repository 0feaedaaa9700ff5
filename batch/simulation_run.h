// One simulation run: every selected line of the order file through `trial`,
// one result line per order to the result file and the log.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace diz {

struct WindowModel;
struct ReportOptions;
class Window;
class FileChooser;

// The four outputs of `trial` for one order.
struct TrialResult {
    double meanRuns = 0.0;
    double standardError = 0.0;
    std::array<double, 9> inningRuns{};
    std::array<double, 9> inningScoring{};
};

// The result line without its line end: the order's first nine characters,
// then each figure the report asks for with six decimals. Its length is
// unbounded: a string grows with whatever the numbers print.
void composeResultLine(std::string& line, std::string_view order, const ReportOptions& report,
                       const TrialResult& result);

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
