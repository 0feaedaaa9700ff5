#include "simulation_run.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "batter_data.h"
#include "diz/core.h"
#include "library_loader.h"
#include "lineup.h"
#include "text_io.h"
#include "window.h"
#include "window_model.h"

namespace diz {

void composeResultLine(std::string& line, std::string_view order, const ReportOptions& report,
                       const TrialResult& result) {
    line.assign(order.substr(0, kLineupLength));
    if (report.expectedRuns) {
        line += ' ';
        appendFixed(line, result.meanRuns, 6);
    }
    if (report.standardError) {
        line += ' ';
        appendFixed(line, result.standardError, 6);
    }
    if (report.inningRuns) {
        for (double value : result.inningRuns) {
            line += ' ';
            appendFixed(line, value, 6);
        }
    }
    if (report.inningScoring) {
        for (double value : result.inningScoring) {
            line += ' ';
            appendFixed(line, value, 6);
        }
    }
}

namespace {

ChooserRequest resultFileRequest() {
    ChooserRequest request;
    request.kind = ChooserRequest::Kind::Save;
    request.initialName = "output.txt";
    request.overwritePrompt = true;
    request.createPrompt = true;
    return request;
}

// True when both names lead to one existing file (links and other spellings
// included).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

RunOutcome performSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                             const RunSettings& settings) {
    window.clearLog();
    for (int row = 1; row <= kBatterCount; ++row) {
        window.appendLog(summaryLine(model.batters[row - 1], row));
    }

    // A library that can't be loaded at all is reported like one without the
    // entry: either way there is no engine to run.
    std::unique_ptr<SharedLibrary> library = SharedLibrary::open(settings.libraryName);
    const auto trial =
        library ? reinterpret_cast<TrialFunction>(library->find("trial")) : TrialFunction{};
    if (trial == nullptr) {
        library.reset();
        window.reportMessage("REDI_DORが開けません");
        return RunOutcome::Failed;
    }

    const std::array<BatterRecord, kBatterCount> records = buildRecords(model.batters);

    const std::string resultName = chooser.choose(resultFileRequest()).value_or(std::string());
    const std::filesystem::path resultPath = utf8Path(resultName);
    const std::filesystem::path orderPath = utf8Path(settings.orderFile);

    // Opening the order file itself for writing would empty it before it is read.
    if (sameFile(resultPath, orderPath)) {
        window.reportMessage(messageWithName("出力とORDERが同じファイルです：", resultName));
        return RunOutcome::Failed;
    }
    std::ofstream result;
    if (!resultName.empty()) result.open(resultPath, std::ios::binary | std::ios::trunc);
    if (!result.is_open()) {
        window.reportMessage(messageWithName("出力が開けません：", resultName));
        return RunOutcome::Failed;
    }
    std::ifstream orders(orderPath, std::ios::binary);
    if (!orders.is_open()) {
        result.close();
        window.reportMessage(messageWithName("ORDERが開けません：", settings.orderFile));
        return RunOutcome::Failed;
    }

    model.statusText = "シミュレート中...";
    window.showModel();
    window.repaintNow();

    const auto games = static_cast<uint32_t>(model.gamesPerOrder);
    OrderFileReader reader(orders);
    std::string piece;
    std::string line;
    std::uint64_t done = 0;
    TrialResult outcome;
    while (result && reader.next(piece)) {
        const auto lineup = selectLineup(piece, model.patterns, records);
        if (!lineup) continue;
        trial(lineup->data(), games, &outcome.meanRuns, &outcome.standardError,
              outcome.inningRuns.data(), outcome.inningScoring.data());
        composeResultLine(line, piece, model.report, outcome);
        line += "\r\n";
        result.write(line.data(), static_cast<std::streamsize>(line.size()));
        // The log gets the same text with its line end as a plain '\n'.
        line.erase(line.size() - 2);
        line += '\n';
        window.appendLog(line);
        ++done;
        if (settings.onOrderDone) settings.onOrderDone(done);
    }

    orders.close();
    result.close();
    if (result.fail()) {
        window.reportMessage(messageWithName("出力に書き込めません：", resultName));
        return RunOutcome::Failed;
    }
    window.reportMessage(messageWithName("正常に終了しました。\n出力：", resultName));
    return RunOutcome::NormalEnd;
}

void runSimulation(WindowModel& model, Window& window, FileChooser& chooser,
                   const RunSettings& settings) {
    performSimulation(model, window, chooser, settings);
}

}  // namespace diz
