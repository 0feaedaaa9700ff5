#include "batch/batter_file.h"

#include <exception>
#include <string>

#include "batch/batter_data.h"
#include "batch/messages.h"
#include "batch/resource_failure.h"
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

// Runs an action; one that runs out of memory says so instead of ending
// the program.
template <class Action>
bool guarded(Window& window, Action action) {
    try {
        return action();
    } catch (...) {
        const auto failure = resourceFailure(std::current_exception());
        if (!failure) throw;
        window.reportMessage(*failure);
        return false;
    }
}

}  // namespace

bool loadBatterFile(WindowModel& model, Window& window, FileChooser& chooser) {
    return guarded(window, [&] {
        const auto name = chooser.choose(batterFileRequest(ChooserRequest::Kind::Open));
        if (!name) return false;
        switch (readBatterFile(utf8Path(*name), model.batters)) {
            case BatterFileRead::Read:
                break;
            case BatterFileRead::NotOpened:
                window.reportMessage(messageWithName(msg::kBattersLoadFailed, *name));
                return false;
            case BatterFileRead::TooLarge:
                window.reportMessage(messageWithName(msg::kBattersTooLarge, *name));
                return false;
            case BatterFileRead::NoBatterLine:
                window.reportMessage(messageWithName(msg::kBattersNoLine, *name));
                return false;
        }
        model.statusText = msg::kBattersLoaded;
        model.batterNames = {};
        window.appendLog(summaryLines(model.batters));
        return true;
    });
}

bool saveBatterFile(WindowModel& model, Window& window, FileChooser& chooser) {
    return guarded(window, [&] {
        const auto name = chooser.choose(batterFileRequest(ChooserRequest::Kind::Save));
        if (!name) return false;
        if (!writeBatterTable(utf8Path(*name), model.batters)) {
            window.reportMessage(messageWithName(msg::kBattersSaveFailed, *name));
            return false;
        }
        model.statusText = msg::kBattersSaved;
        return true;
    });
}

}  // namespace diz
