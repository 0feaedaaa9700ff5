#include "batch/run_pipeline.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "batch/messages.h"
#include "batch/result_file.h"
#include "batch/text_io.h"

namespace diz {
namespace {

void appendFigures(std::string& line, const double* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        appendFixed(line, values[i], 6);
    }
}

}  // namespace

void composeResultLine(std::string& line, const BattingOrder& order, const ReportOptions& report,
                       const TrialResult& result) {
    line.clear();
    appendOrderText(line, order);
    if (report.expectedRuns) appendFigures(line, &result.meanRuns, 1);
    if (report.standardError) appendFigures(line, &result.standardError, 1);
    if (report.inningRuns) appendFigures(line, result.inningRuns.data(), kInnings);
    if (report.inningScoring) appendFigures(line, result.inningScoring.data(), kInnings);
}

bool sameFile(std::string_view a, std::string_view b) {
    std::error_code error;
    return std::filesystem::equivalent(utf8Path(a), utf8Path(b), error) && !error;
}

bool evaluateAll(OrderReader& source, OrderEvaluator& evaluator, const OrderSink& sink,
                 const std::atomic<bool>* stop) {
    const auto stopped = [stop] { return stop != nullptr && stop->load(); };
    const std::size_t batchSize = std::max<std::size_t>(1, evaluator.batchSize());
    // Grown as orders come, so that a short selection never holds a whole
    // batch's worth.
    std::vector<BattingOrder> orders(std::min<std::size_t>(batchSize, 1024));
    std::vector<TrialResult> results;
    for (bool more = true; more;) {
        if (stopped()) return false;
        std::size_t count = 0;
        while (count < batchSize) {
            if (count == orders.size()) orders.resize(std::min(batchSize, orders.size() * 2));
            if (!source.next(orders[count])) {
                more = false;
                break;
            }
            ++count;
        }
        if (count == 0) break;
        results.resize(count);
        const std::span<const BattingOrder> batch(orders.data(), count);
        if (!evaluator.evaluate(batch, results)) return false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!sink(orders[i], results[i])) return false;
        }
    }
    return true;
}

RunOutcome runOrders(const RunPlan& plan, OrderEvaluator& evaluator, RunObserver& observer) {
    const OrderSelection& selection = plan.selection;
    const auto fail = [&](std::string_view message, std::string_view name, int error = 0) {
        observer.finished(RunOutcome::Failed, messageWithName(message, name),
                          error != 0 ? std::strerror(error) : "");
        return RunOutcome::Failed;
    };

    // Opening an input itself for writing would empty it before it is read.
    if (selection.readsOrderFile() && sameFile(plan.resultName, selection.orderFile())) {
        return fail(msg::kOutputIsOrderFile, plan.resultName);
    }
    if (!plan.batterFile.empty() && sameFile(plan.resultName, plan.batterFile)) {
        return fail(msg::kOutputIsBatterFile, plan.resultName);
    }
    // Every input is open before the result file is touched, so a run that
    // can't start leaves the previous results as they were.
    OrderReader orders;
    int error = 0;
    if (!orders.open(selection, &error)) {
        observer.finished(RunOutcome::Failed, orderFileMessage(selection.orderFile(), error, false),
                          error > 0 ? std::strerror(error) : "");
        return RunOutcome::Failed;
    }
    ResultFile result;
    switch (result.open(plan.resultName, plan.waitForReader)) {
        case ResultFile::Opened::Ok:
            break;
        case ResultFile::Opened::Busy:
            return fail(msg::kOutputBusy, plan.resultName);
        case ResultFile::Opened::Failed:
            return fail(msg::kOutputOpenFailed, plan.resultName, result.errorNumber());
    }
    observer.started();

    std::string line;
    std::uint64_t evaluated = 0;
    const bool finished = evaluateAll(
        orders, evaluator,
        [&](const BattingOrder& order, const TrialResult& figures) {
            ++evaluated;
            composeResultLine(line, order, plan.report, figures);
            if (!result.writeLine(line)) return false;
            // The log gets the same text with its line end as a plain '\n'.
            line += '\n';
            observer.log(line);
            observer.result(order, figures);
            return true;
        },
        plan.stop);
    const bool interrupted = !finished && plan.stop != nullptr && plan.stop->load();
    const std::optional<std::string> unwritten = observer.linesDone(interrupted);

    // Puts the lines in the result file's place, or keeps the previous one
    // when there are none.
    if (!result.close()) {
        return fail(msg::kOutputWriteFailed, plan.resultName, result.errorNumber());
    }
    const std::uint64_t written = result.linesWritten();
    // A result name that is a pipe or a device is never kept or replaced.
    const bool kept = written == 0 && !result.direct();
    if (unwritten) {
        // The run stopped there; the result file holds what was done.
        std::string text = messageWithName(msg::kOutputWriteFailed, *unwritten);
        text += '\n';
        text += msg::kWrittenOrders;
        text += std::to_string(written);
        text += kept ? msg::kResultKept : msg::kResultName;
        observer.finished(RunOutcome::Failed, messageWithName(text, plan.resultName), "");
        return RunOutcome::Failed;
    }
    if (interrupted) {
        std::string text(msg::kInterrupted);
        text += std::to_string(written);
        text += kept ? msg::kResultKept : msg::kResultName;
        observer.finished(RunOutcome::Interrupted, messageWithName(text, plan.resultName), "");
        return RunOutcome::Interrupted;
    }
    if (evaluated == 0) {
        std::string text =
            selection.readsOrderFile()
                ? messageWithName(msg::kNothingSelectedInOrderFile, selection.orderFile())
                : std::string(msg::kNothingSelected);
        text += kept ? msg::kResultKept : msg::kResultName;
        observer.finished(RunOutcome::NothingSelected, messageWithName(text, plan.resultName), "");
        return RunOutcome::NothingSelected;
    }
    observer.finished(RunOutcome::NormalEnd, messageWithName(msg::kNormalEnd, plan.resultName), "");
    return RunOutcome::NormalEnd;
}

}  // namespace diz
