#include "orders_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

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
    sub->add_option("--pattern", options->patterns,
                    "Lineup pattern, up to six times ('*' matches any batter)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(
            [](const std::string& p) {
                return p.size() > 9 ? std::string("a pattern holds at most 9 bytes")
                                    : std::string();
            },
            "PATTERN"));
    sub->callback([options]() {
        if (options->patterns.size() > 6) {
            throw CLI::ValidationError("--pattern", "at most six patterns");
        }
        if (const int status = run_orders(*options); status != 0) throw CLI::RuntimeError(status);
    });
}

int run_orders(const OrdersOptions& options) {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // the CR LF is ours
#endif
    Patterns patterns{};
    std::copy_n(options.patterns.begin(),
                std::min(options.patterns.size(), patterns.size()), patterns.begin());
    const bool all = options.patterns.empty();

    std::string order = "abcdefghi";
    std::string out;
    out.reserve(1 << 16);
    do {
        if (all || selectOrder(order, patterns)) {
            out += order;
            out += "\r\n";
            if (out.size() > (1 << 16) - 16) {
                std::fwrite(out.data(), 1, out.size(), stdout);
                out.clear();
            }
        }
    } while (std::next_permutation(order.begin(), order.end()));
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("diz-cli orders: standard output could not be written\n", stderr);
        return 1;
    }
    return 0;
}

}  // namespace diz::cli
