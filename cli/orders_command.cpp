#include "cli/orders_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "batch/orders.h"
#include "cli/cli_common.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace diz::cli {

void addOrdersCommand(CLI::App& app) {
    auto options = std::make_shared<OrdersOptions>();
    CLI::App* sub = app.add_subcommand(
        "orders", "Write every ordering of batters a..i that a pattern accepts (an order file)");
    addPatternOption(*sub, options->patterns);
    sub->callback([options]() {
        checkPatternCount(options->patterns);
        finish(runGuarded([&] { return ordersCommand(*options); }));
    });
}

int ordersCommand(const OrdersOptions& options) {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // the CR LF is ours
#endif
    const OrderSource source =
        options.patterns.empty() ? OrderSource::EveryOrdering : OrderSource::AcceptedOrderings;
    OrderReader orderings;
    orderings.open(OrderSelection(source, patternsFrom(options.patterns)));

    BattingOrder order;
    std::string out;
    out.reserve(1 << 16);
    while (orderings.next(order)) {
        appendOrderText(out, order);
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
