#include "batch/simulation.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "batch/batter_table.h"
#include "batch/messages.h"
#include "batch/resource_failure.h"
#include "batch/text_io.h"
#include "batch/window.h"
#include "batch/window_model.h"

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

// A run as the window shows it: lines in the log, the status text once the
// files are open, the outcome reported.
class WindowObserver final : public RunObserver {
  public:
    WindowObserver(WindowModel& model, Window& window) : m_model(model), m_window(window) {}

    void log(std::string_view text) override { m_window.appendLog(text); }
    void started() override {
        m_model.statusText = msg::kSimulating;
        m_window.showModel();
        // The run keeps the window's thread busy from here on.
        m_window.repaintNow();
    }
    void finished(RunOutcome, std::string_view message, std::string_view) override {
        m_window.reportMessage(message);
    }

  private:
    WindowModel& m_model;
    Window& m_window;
};

}  // namespace

std::unique_ptr<TrialEvaluator> openSimulation(const BatterTable& batters, GamesPerOrder games,
                                               RunObserver& observer,
                                               std::string_view libraryName) {
    observer.log(summaryLines(batters));
    // A library that can't be loaded at all is reported like one without the
    // entry: either way there is no engine to run.
    std::string reason;
    std::unique_ptr<TrialEvaluator> evaluator =
        TrialEvaluator::load(libraryName, buildRecords(batters), games, &observer, &reason);
    if (!evaluator) {
        observer.finished(RunOutcome::Failed, msg::kEngineMissing, reason);
        return nullptr;
    }
    if (!canAllocate(std::size_t{2} * static_cast<std::uint32_t>(games))) {
        observer.finished(RunOutcome::Failed,
                          std::string(msg::kNoMemoryForGames) + std::to_string(games), "");
        return nullptr;
    }
    return evaluator;
}

RunOutcome runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                         const SimulationFiles& files) {
    try {
        window.clearLog();
        WindowObserver observer(model, window);
        const std::unique_ptr<TrialEvaluator> evaluator =
            openSimulation(model.batters, model.gamesPerOrder, observer, files.libraryName);
        if (!evaluator) return RunOutcome::Failed;
        const std::string warnings = batterWarningLines(model.batters);
        if (!warnings.empty()) window.appendLog(warnings);

        RunPlan plan;
        plan.selection = OrderSelection(OrderSource::OrderFile, model.patterns, files.orderFile);
        plan.report = model.report;
        plan.waitForReader = false;
        // Said before the chooser: a user without an order file has no use
        // for choosing a result file first.
        if (const auto problem = orderFileProblem(plan.selection)) {
            window.reportMessage(*problem);
            return RunOutcome::Failed;
        }
        const std::optional<std::string> name = chooser.choose(resultFileRequest());
        if (!name) {
            model.statusText = msg::kSimulationCancelled;
            window.showModel();
            return RunOutcome::Cancelled;
        }
        plan.resultName = *name;
        const RunOutcome outcome = runOrders(plan, *evaluator, observer);
        if (outcome == RunOutcome::NormalEnd) {
            // The box said the outcome; the status line, which shows the
            // start of its text, leads on to where orders are compared.
            model.statusText = std::string(
                utf8Prefix(std::string(msg::kRankingHint) + model.statusText, kStatusMaxBytes));
            window.showModel();
        }
        return outcome;
    } catch (...) {
        const auto failure = resourceFailure(std::current_exception());
        if (!failure) throw;
        window.reportMessage(*failure);
        return RunOutcome::Failed;
    }
}

}  // namespace diz
