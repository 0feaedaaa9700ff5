#include "run_pipeline.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "batter_data.h"
#include "messages.h"
#include "result_file.h"
#include "text_io.h"
#include "window.h"
#include "window_model.h"

namespace diz {
namespace {

void appendFigures(std::string& line, const double* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        appendFixed(line, values[i], 6);
    }
}

}  // namespace

void composeResultLine(std::string& line, std::string_view order, const ReportOptions& report,
                       const TrialResult& result) {
    line.assign(order.substr(0, kLineupSize));
    if (report.expectedRuns) appendFigures(line, &result.meanRuns, 1);
    if (report.standardError) appendFigures(line, &result.standardError, 1);
    if (report.inningRuns) appendFigures(line, result.inningRuns.data(), kInnings);
    if (report.inningScoring) appendFigures(line, result.inningScoring.data(), kInnings);
}

bool sameFile(std::string_view a, std::string_view b) {
    std::error_code error;
    return std::filesystem::equivalent(utf8Path(a), utf8Path(b), error) && !error;
}

struct SelectedOrders::Input {
    std::ifstream file;
    std::optional<OrderSource> source;
};

SelectedOrders::SelectedOrders() : m_input(std::make_unique<Input>()) {}
SelectedOrders::~SelectedOrders() = default;

bool SelectedOrders::open(const OrderSelection& selection, int* error) {
    if (selection.everyOrdering) {
        m_input->source.emplace(
            selection.filterOrderings ? std::optional<Patterns>(selection.patterns) : std::nullopt,
            selection.rotationsTogether);
        return true;
    }
    const std::filesystem::path path = utf8Path(selection.orderFile);
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) {
        // A folder opens as a stream on some systems and reads as empty.
        if (error != nullptr) *error = EISDIR;
        return false;
    }
    errno = 0;
    m_input->file.open(path, std::ios::binary);
    if (!m_input->file.is_open()) {
        if (error != nullptr) *error = errno != 0 ? errno : ENOENT;
        return false;
    }
    m_input->source.emplace(m_input->file, selection.patterns);
    return true;
}

bool SelectedOrders::next(SelectedOrder& out) {
    return m_input->source && m_input->source->next(out);
}

std::optional<std::size_t> countSelectedOrders(const OrderSelection& selection,
                                               const std::atomic<bool>* cancel) {
    if (selection.everyOrdering && !selection.filterOrderings) return std::size_t{kOrderings};
    std::error_code error;
    if (!selection.everyOrdering &&
        !std::filesystem::is_regular_file(utf8Path(selection.orderFile), error)) {
        return std::nullopt;
    }
    SelectedOrders orders;
    if (!orders.open(selection)) return std::nullopt;
    SelectedOrder order;
    std::size_t count = 0;
    while (!(cancel != nullptr && cancel->load(std::memory_order_relaxed)) && orders.next(order)) {
        ++count;
    }
    return count;
}

bool evaluateAll(SelectedOrders& source, OrderEvaluator& evaluator, const ResultSink& sink,
                 const std::atomic<bool>* stop) {
    const auto stopped = [stop] { return stop != nullptr && stop->load(); };
    const std::size_t batchSize = std::max<std::size_t>(1, evaluator.batchSize());
    std::vector<SelectedOrder> batch(std::min<std::size_t>(batchSize, 1024));
    std::vector<BattingOrder> orders;
    std::vector<TrialResult> results;
    for (bool more = true; more;) {
        if (stopped()) return false;
        std::size_t count = 0;
        while (count < batchSize) {
            if (count == batch.size()) batch.resize(std::min(batchSize, batch.size() * 2));
            if (!source.next(batch[count])) {
                more = false;
                break;
            }
            ++count;
        }
        if (count == 0) break;
        orders.resize(count);
        results.resize(count);
        for (std::size_t i = 0; i < count; ++i) orders[i] = batch[i].order;
        if (!evaluator.evaluate(orders, results)) return false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!sink(batch[i], results[i])) return false;
        }
    }
    return true;
}

RunOutcome runOrders(const RunPlan& plan, OrderEvaluator& evaluator, Window& window) {
    const OrderSelection& selection = plan.selection;
    const auto fail = [&](std::string_view message, std::string_view name, int error = 0) {
        window.reportMessage(messageWithName(message, name));
        if (error != 0 && plan.hooks.explain) plan.hooks.explain(std::strerror(error));
        return RunOutcome::Failed;
    };

    // Opening an input itself for writing would empty it before it is read.
    if (!selection.everyOrdering && sameFile(plan.resultName, selection.orderFile)) {
        return fail(msg::kOutputIsOrderFile, plan.resultName);
    }
    if (!plan.hooks.batterFile.empty() && sameFile(plan.resultName, plan.hooks.batterFile)) {
        return fail(msg::kOutputIsBatterFile, plan.resultName);
    }
    // Every input is open before the result file is touched, so a run that
    // can't start leaves the previous results as they were.
    SelectedOrders orders;
    int error = 0;
    if (!orders.open(selection, &error)) {
        return fail(msg::kOrderOpenFailed, selection.orderFile, error);
    }
    ResultFile result;
    switch (result.open(plan.resultName)) {
        case ResultFile::Opened::Ok:
            break;
        case ResultFile::Opened::Busy:
            return fail(msg::kOutputBusy, plan.resultName);
        case ResultFile::Opened::Failed:
            return fail(msg::kOutputOpenFailed, plan.resultName, result.errorNumber());
    }
    if (plan.onStart) plan.onStart();

    std::string line;
    std::uint64_t written = 0;
    const bool finished = evaluateAll(
        orders, evaluator,
        [&](const SelectedOrder& order, const TrialResult& figures) {
            composeResultLine(line, order.text, *plan.report, figures);
            if (!result.writeLine(line)) return false;
            ++written;
            // The log gets the same text with its line end as a plain '\n'.
            line += '\n';
            window.appendLog(line);
            if (plan.onResult) plan.onResult(order, figures);
            return true;
        },
        plan.hooks.stop);
    const std::optional<std::string> unwritten =
        plan.hooks.onFinish ? plan.hooks.onFinish() : std::nullopt;

    if (!result.close()) {
        return fail(msg::kOutputWriteFailed, plan.resultName, result.errorNumber());
    }
    if (unwritten) return fail(msg::kOutputWriteFailed, *unwritten);
    if (!finished && plan.hooks.stop != nullptr && plan.hooks.stop->load()) {
        std::string text(msg::kInterrupted);
        text += std::to_string(written);
        window.reportMessage(
            messageWithName(text + std::string(msg::kResultName), plan.resultName));
        return RunOutcome::Interrupted;
    }
    window.reportMessage(messageWithName(msg::kNormalEnd, plan.resultName));
    return RunOutcome::NormalEnd;
}

}  // namespace diz
