#include "batch/ranking_inputs.h"

#include "batch/messages.h"
#include "batch/simulation.h"
#include "batch/window_model.h"

namespace diz {

RankingInputs rankingInputs(const WindowModel& model, const SimulationFiles& files) {
    return {model.batters, buildRecords(model.batters), model.patterns, files.orderFile,
            model.batterNames};
}

std::string orderNames(std::string_view letters, const RankingInputs& inputs) {
    std::string text;
    for (std::size_t k = 0; k < letters.size(); ++k) {
        const int row = letters[k] - 'a';
        if (row < 0 || row >= kLineupSize) return {};
        const std::string& name = inputs.names[static_cast<std::size_t>(row)];
        if (name.empty()) return {};
        if (k > 0) text += "  ";
        text += std::to_string(k + 1);
        text += ' ';
        text += name;
    }
    return text;
}

std::string selectedOrderNames(std::string_view letters, const RankingInputs& inputs) {
    const std::string names = orderNames(letters, inputs);
    return names.empty() ? names : std::string(msg::kRankingOrderNames) + names;
}

OrderSelection rankingSelection(OrderSource source, const RankingInputs& inputs) {
    return OrderSelection(source, inputs.patterns, inputs.orderFile, true);
}

ChooserRequest rankingCsvRequest() {
    ChooserRequest request;
    request.kind = ChooserRequest::Kind::Save;
    request.initialName = "ranking.csv";
    request.defaultExtension = "csv";
    request.overwritePrompt = true;
    request.createPrompt = true;
    return request;
}

}  // namespace diz
