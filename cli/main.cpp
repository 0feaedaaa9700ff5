// diz-cli: the headless runner. Exit status 0 on success, 1 after a reported
// failure of the run (no order selected included), 2 for a usage error or a
// refused batter file, 128 + the signal's number after an interruption (see
// cli/cli_common.h).
#include <string>
#include <vector>

#include "batch/standard_streams.h"
#include "cli/arguments.h"
#include "cli/cli_app.h"

int main(int argc, char** argv) {
    // Before anything opens a file that could take a closed descriptor's number.
    diz::openClosedStandardStreams();
    std::vector<std::string> arguments = diz::cli::utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return diz::cli::runApp(static_cast<int>(arguments.size()), pointers.data());
}
