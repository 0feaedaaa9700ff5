#include "cli_app.h"

#include <CLI/CLI.hpp>

#include "cli_common.h"
#include "diz/version.h"
#include "exact_command.h"
#include "orders_command.h"
#include "run_command.h"

namespace diz::cli {

int runApp(int argc, char** argv) {
    CLI::App app{"DIZ headless runner: simulates batting orders without the window"};
    app.set_version_flag("--version", std::string("diz-cli ") + DIZ_VERSION);
    app.require_subcommand(1);
    setup_run(app);
    setup_orders(app);
    setup_exact(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        return e.get_exit_code();  // the subcommand's own status, already reported
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kSuccess : kUsageError;
    }
    return kSuccess;
}

}  // namespace diz::cli
