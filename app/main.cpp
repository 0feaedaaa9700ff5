// DIZ: the batting-order simulator's window.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "batch/messages.h"
#include "batch/standard_streams.h"
#include "diz/version.h"
#include "ui/qt/main_app.h"

int main(int argc, char** argv) {
    // Before anything opens a file that could take a closed descriptor's number.
    diz::openClosedStandardStreams();
    // Answered before the window system is touched, so they work without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("DIZ " DIZ_VERSION);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fwrite(diz::msg::kProgramHelp.data(), 1, diz::msg::kProgramHelp.size(), stdout);
        return 0;
    }
    const bool userFolder = argc == 2 && std::strcmp(argv[1], "--user-folder") == 0;
    diz::MainApp app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(DIZ_VERSION));
    return app.run(userFolder);
}
