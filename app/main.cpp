// DIZ: the batting-order simulator's window.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "diz/version.h"
#include "ui/qt/main_app.h"

int main(int argc, char** argv) {
    // Answered before the window system is touched, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("DIZ " DIZ_VERSION);
        return 0;
    }
    diz::MainApp app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(DIZ_VERSION));
    return app.run();
}
