#include "support/scripted_chooser.h"

namespace diz::support {

std::optional<std::string> ScriptedChooser::choose(const ChooserRequest& request) {
    lastRequest = request;
    ++requestCount;
    return answer;
}

}  // namespace diz::support
