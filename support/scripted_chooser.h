// A file chooser that answers without a user, for the tests, the screenshot
// tool and the window benchmark. No window toolkit.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "batch/window.h"

namespace diz::support {

// Answers every request with `answer` (nothing cancels) and remembers the
// last request and how many there were. Change `answer` between actions to
// answer them differently.
class ScriptedChooser final : public FileChooser {
  public:
    explicit ScriptedChooser(std::optional<std::string> name = std::nullopt)
        : answer(std::move(name)) {}
    std::optional<std::string> choose(const ChooserRequest& request) override;

    std::optional<std::string> answer;
    std::optional<ChooserRequest> lastRequest;
    int requestCount = 0;
};

}  // namespace diz::support
