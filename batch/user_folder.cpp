#include "batch/user_folder.h"

#include <cstdlib>
#include <system_error>

#include "batch/atomic_save.h"
#include "batch/example_batters.h"
#include "batch/messages.h"
#include "batch/orders.h"
#include "batch/text_io.h"

namespace diz {
namespace {

namespace fs = std::filesystem;

// Every ordering, made a megabyte at a time.
SaveResult writeEveryOrdering(const fs::path& path) {
    return saveAtomically(path, [](const ByteSink& write) {
        OrderReader orderings;
        orderings.open(OrderSelection(OrderSource::EveryOrdering, kDefaultPatterns));
        std::string text;
        BattingOrder order;
        while (orderings.next(order)) {
            appendOrderText(text, order);
            text += "\r\n";
            if (text.size() >= (1 << 20)) {
                if (!write(text)) return false;
                text.clear();
            }
        }
        return write(text);
    });
}

std::optional<std::string> failed(const fs::path& folder, const std::error_code& error) {
    const std::u8string name = folder.u8string();
    std::string text(msg::kUserFolderFailed);
    text.append(name.begin(), name.end());
    if (error) {
        text += "\n(";
        text += error.message();
        text += ")";
    }
    return text;
}

}  // namespace

fs::path userFolder() {
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
    if (home == nullptr || *home == '\0') return {};
    return fs::path(home) / "Documents" / "DIZ";
#else
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    return fs::path(home) / "DIZ";
#endif
}

std::string_view exampleBatters() { return kExampleBatters; }

PreparedFolder prepareUserFolder(const fs::path& folder) {
    PreparedFolder prepared;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        prepared.made = fs::create_directories(folder, error);
        if (!prepared.made) {
            prepared.problem = failed(folder, error);
            return prepared;
        }
    }
    const fs::path batters = folder / utf8Path(kExampleBattersName);
    if (!fs::exists(batters, error) &&
        saveAtomically(batters, kExampleBatters) != SaveResult::Saved) {
        prepared.problem = failed(folder, {});
        return prepared;
    }
    const fs::path orders = folder / utf8Path(kEveryOrderingName);
    if (!fs::exists(orders, error) && writeEveryOrdering(orders) != SaveResult::Saved) {
        prepared.problem = failed(folder, {});
    }
    return prepared;
}

}  // namespace diz
