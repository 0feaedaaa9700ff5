#include "batch/window.h"

namespace diz {

std::string chosenName(std::string_view typed, std::string_view defaultExtension,
                       const std::function<bool(const std::string&)>& exists) {
    std::string name(typed);
    if (defaultExtension.empty() || name.empty() || exists(name)) return name;
    // Both separators: the windows of either system share this rule.
    const std::size_t last = name.find_last_of("/\\");
    const std::string_view file =
        std::string_view(name).substr(last == std::string::npos ? 0 : last + 1);
    if (file.empty() || file.find('.') != std::string_view::npos) return name;
    name += '.';
    name += defaultExtension;
    return name;
}

}  // namespace diz
