#include "batch/ranking_inputs.h"

#include "batch/simulation.h"
#include "batch/window_model.h"

namespace diz {

RankingInputs rankingInputs(const WindowModel& model, const SimulationFiles& files) {
    return {model.batters, buildRecords(model.batters), model.patterns, files.orderFile};
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
