#include "cli/cli_app.h"

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "cli/exact_command.h"
#include "cli/lineup_command.h"
#include "cli/orders_command.h"
#include "cli/roster_command.h"
#include "cli/run_command.h"
#include "diz/version.h"

namespace diz::cli {

int runApp(int argc, char** argv) {
    CLI::App app{"DIZ headless runner: simulates batting orders without the window"};
    app.set_version_flag("--version", std::string("diz-cli ") + DIZ_VERSION);
    app.require_subcommand(1);
    addRunCommand(app);
    addOrdersCommand(app);
    addExactCommand(app);
    addLineupCommand(app);
    addRosterCommand(app);
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
