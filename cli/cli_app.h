// The diz-cli application: its subcommands and the mapping of errors to exit
// statuses.
#pragma once

namespace diz::cli {

// Parses the arguments and runs the chosen subcommand; returns the exit status.
int runApp(int argc, char** argv);

}  // namespace diz::cli
