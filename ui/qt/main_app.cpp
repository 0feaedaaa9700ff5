#include "ui/qt/main_app.h"

#include <QLibraryInfo>

#include "ui/qt/main_dialog.h"
#include "ui/qt/program_icon.h"

namespace diz {

bool installPlatformTranslation(QTranslator& translator) {
    if (!translator.load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}

MainApp::MainApp(int& argc, char** argv) : QApplication(argc, argv) {
    // Without the translation the platform's texts stay English; the program
    // still works, so this is not an error.
    installPlatformTranslation(m_platformTexts);
    setWindowIcon(programIcon());
}

int MainApp::run() {
    MainDialog dialog;
    dialog.exec();
    return 0;
}

}  // namespace diz
