// diz-cli: the headless runner. Exit status 0 on success, 1 after a reported
// failure of the run, 2 for a usage error.
#include "cli_app.h"

int main(int argc, char** argv) { return diz::cli::runApp(argc, argv); }
