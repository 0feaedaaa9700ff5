#include "cli_app.h"

#include <CLI/CLI.hpp>

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
        const int status = app.exit(e);
        return status == 0 ? 0 : 2;
    }
    return 0;
}

}  // namespace diz::cli
