// `diz-cli orders`: writes an order file of every ordering of the nine batters
// that a pattern accepts.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace diz::cli {

struct OrdersOptions {
    std::vector<std::string> patterns;  // none given: every ordering
};

// Writes the orderings of a..i in lexicographic order, one a line with CR LF,
// to standard output. Exit status kSuccess; kRunFailed when standard output
// can't be written; kUsageError for a bad option.
void addOrdersCommand(CLI::App& app);
int ordersCommand(const OrdersOptions& options);

}  // namespace diz::cli
