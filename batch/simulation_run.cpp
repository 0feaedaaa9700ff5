#include "simulation_run.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "batter_table.h"
#include "messages.h"
#include "order_evaluators.h"
#include "window.h"
#include "window_model.h"

namespace diz {
namespace {

ChooserRequest resultFileRequest() {
    ChooserRequest request;
    request.kind = ChooserRequest::Kind::Save;
    request.initialName = "output.txt";
    request.overwritePrompt = true;
    request.createPrompt = true;
    return request;
}

// True when `bytes` of memory can be had now. The engine keeps two bytes a
// game and ends the whole process when it can't have them.
bool canAllocate(std::size_t bytes) {
    // The volatile keeps the compiler from leaving the allocation out.
    void* volatile block = std::malloc(bytes);
    const bool had = block != nullptr;
    std::free(block);
    return had;
}

}  // namespace

RunOutcome runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                         const RunSettings& settings) {
    window.clearLog();
    for (int row = 1; row <= kLineupSize; ++row) {
        window.appendLog(summaryLine(model.batters[row - 1], row));
    }

    // A library that can't be loaded at all is reported like one without the
    // entry: either way there is no engine to run.
    std::string reason;
    const std::unique_ptr<TrialEvaluator> evaluator =
        TrialEvaluator::load(settings.libraryName, buildRecords(model.batters),
                             static_cast<std::uint32_t>(model.gamesPerOrder), &reason);
    if (!evaluator) {
        window.reportMessage(msg::kEngineMissing);
        if (settings.hooks.explain) settings.hooks.explain(reason);
        return RunOutcome::Failed;
    }

    if (!canAllocate(std::size_t{2} * static_cast<std::uint32_t>(model.gamesPerOrder))) {
        window.reportMessage(std::string(msg::kNoMemoryForGames) +
                             std::to_string(model.gamesPerOrder));
        return RunOutcome::Failed;
    }

    RunPlan plan;
    plan.selection.orderFile = settings.orderFile;
    plan.selection.patterns = model.patterns;
    plan.report = &model.report;
    plan.resultName = chooser.choose(resultFileRequest()).value_or(std::string());
    plan.hooks = settings.hooks;
    plan.onStart = [&model, &window] {
        model.statusText = msg::kSimulating;
        window.showModel();
        window.repaintNow();
    };
    std::uint64_t done = 0;
    if (settings.onOrderDone) {
        plan.onResult = [&](const SelectedOrder&, const TrialResult&) {
            settings.onOrderDone(++done);
        };
    }
    return runOrders(plan, *evaluator, window);
}

}  // namespace diz
