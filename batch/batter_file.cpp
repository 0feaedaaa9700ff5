#include "batch/batter_file.h"

#include <string>

#include "batch/batter_data.h"
#include "batch/messages.h"
#include "batch/text_io.h"
#include "batch/window.h"
#include "batch/window_model.h"

namespace diz {
namespace {

ChooserRequest batterFileRequest(ChooserRequest::Kind kind) {
    ChooserRequest request;
    request.kind = kind;
    request.initialName = "*.txt";
    if (kind == ChooserRequest::Kind::Open) {
        request.fileMustExist = true;
    } else {
        request.overwritePrompt = true;
        request.createPrompt = true;
    }
    return request;
}

}  // namespace

void loadBatterFile(WindowModel& model, Window& window, FileChooser& chooser) {
    const auto name = chooser.choose(batterFileRequest(ChooserRequest::Kind::Open));
    if (!name) return;
    if (!readBatterTable(utf8Path(*name), model.batters)) {
        window.reportMessage(messageWithName(msg::kBattersLoadFailed, *name));
        return;
    }
    model.statusText = msg::kBattersLoaded;
    window.appendLog(summaryLines(model.batters));
}

void saveBatterFile(WindowModel& model, Window& window, FileChooser& chooser) {
    const auto name = chooser.choose(batterFileRequest(ChooserRequest::Kind::Save));
    if (!name) return;
    if (!writeBatterTable(utf8Path(*name), model.batters)) {
        window.reportMessage(messageWithName(msg::kBattersSaveFailed, *name));
        return;
    }
    model.statusText = msg::kBattersSaved;
}

}  // namespace diz
