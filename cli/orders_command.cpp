#include "orders_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli_common.h"
#include "lineup.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace diz::cli {

void setup_orders(CLI::App& app) {
    auto options = std::make_shared<OrdersOptions>();
    CLI::App* sub = app.add_subcommand(
        "orders", "Write every ordering of batters a..i that a pattern accepts (an order file)");
    addPatternOption(*sub, options->patterns);
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        finish(run_orders(*options));
    });
}

int run_orders(const OrdersOptions& options) {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // the CR LF is ours
#endif
    std::optional<Patterns> filter;
    if (!options.patterns.empty()) filter = patternsFrom(options.patterns);
    OrderSource orderings(filter);

    SelectedOrder order;
    std::string out;
    out.reserve(1 << 16);
    while (orderings.next(order)) {
        out += order.text;
        out += "\r\n";
        if (out.size() > (1 << 16) - 16) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("diz-cli orders: standard output could not be written\n", stderr);
        return kRunFailed;
    }
    return kSuccess;
}

}  // namespace diz::cli
