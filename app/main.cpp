// DIZ: the batting-order simulator's window.
#include "ui/main_app.h"

int main(int argc, char** argv) {
    diz::MainApp app(argc, argv);
    return app.run();
}
