#include "run_pipeline.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "batter_data.h"
#include "messages.h"
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

// The result file: each line with CR LF. A failed write ends the run at the
// next order; the close is checked as well.
class ResultFile {
public:
    bool open(const std::string& name) {
        if (!name.empty()) m_out.open(utf8Path(name), std::ios::binary | std::ios::trunc);
        return m_out.is_open();
    }
    bool good() const { return m_out.good(); }
    void writeLine(std::string& line) {
        line += "\r\n";
        m_out.write(line.data(), static_cast<std::streamsize>(line.size()));
        line.resize(line.size() - 2);
    }
    bool close() {
        m_out.close();
        return !m_out.fail();
    }

private:
    std::ofstream m_out;
};

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

bool SelectedOrders::open(const OrderSelection& selection) {
    if (selection.everyOrdering) {
        m_input->source.emplace(selection.filterOrderings
                                    ? std::optional<Patterns>(selection.patterns)
                                    : std::nullopt);
        return true;
    }
    m_input->file.open(utf8Path(selection.orderFile), std::ios::binary);
    if (!m_input->file.is_open()) return false;
    m_input->source.emplace(m_input->file, selection.patterns);
    return true;
}

bool SelectedOrders::next(SelectedOrder& out) {
    return m_input->source && m_input->source->next(out);
}

bool evaluateAll(SelectedOrders& source, OrderEvaluator& evaluator, const ResultSink& sink) {
    const std::size_t batchSize = std::max<std::size_t>(1, evaluator.batchSize());
    std::vector<SelectedOrder> batch(std::min<std::size_t>(batchSize, 1024));
    std::vector<BattingOrder> orders;
    std::vector<TrialResult> results;
    for (bool more = true; more;) {
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
        evaluator.evaluate(orders, results);
        for (std::size_t i = 0; i < count; ++i) {
            if (!sink(batch[i], results[i])) return false;
        }
    }
    return true;
}

RunOutcome runOrders(const RunPlan& plan, OrderEvaluator& evaluator, Window& window) {
    const OrderSelection& selection = plan.selection;
    const auto fail = [&window](std::string_view message, std::string_view name) {
        window.reportMessage(messageWithName(message, name));
        return RunOutcome::Failed;
    };

    // Opening the order file itself for writing would empty it before it is read.
    if (!selection.everyOrdering && sameFile(plan.resultName, selection.orderFile)) {
        return fail(msg::kOutputIsOrderFile, plan.resultName);
    }
    ResultFile result;
    if (!result.open(plan.resultName)) return fail(msg::kOutputOpenFailed, plan.resultName);
    SelectedOrders orders;
    if (!orders.open(selection)) {
        result.close();
        return fail(msg::kOrderOpenFailed, selection.orderFile);
    }
    if (plan.onStart) plan.onStart();

    std::string line;
    evaluateAll(orders, evaluator, [&](const SelectedOrder& order, const TrialResult& figures) {
        composeResultLine(line, order.text, *plan.report, figures);
        result.writeLine(line);
        // The log gets the same text with its line end as a plain '\n'.
        line += '\n';
        window.appendLog(line);
        if (plan.onResult) plan.onResult(order, figures);
        return result.good();
    });
    if (plan.onFinish) plan.onFinish();

    if (!result.close()) return fail(msg::kOutputWriteFailed, plan.resultName);
    window.reportMessage(messageWithName(msg::kNormalEnd, plan.resultName));
    return RunOutcome::NormalEnd;
}

}  // namespace diz
