// Draws the DIZ window into a PNG for the documentation:
//   QT_QPA_PLATFORM=offscreen diz-screenshot docs/diz-window.png
#include <cstdio>

#include <QApplication>
#include <QPixmap>

#include "ui/main_app.h"
#include "ui/main_dialog.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    diz::MainApp app(argc, argv);
    diz::MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    if (!dialog.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
