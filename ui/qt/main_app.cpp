#include "ui/qt/main_app.h"

#include <QLibraryInfo>
#include <filesystem>
#include <system_error>

#include "batch/messages.h"
#include "batch/text_io.h"
#include "batch/user_folder.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/message_boxes.h"
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

int MainApp::run(bool inUserFolder) {
    std::string problem;
    std::string status;
    if (inUserFolder) {
        const std::filesystem::path folder = userFolder();
        const PreparedFolder prepared = prepareUserFolder(folder);
        std::error_code changed;
        if (!prepared.problem) std::filesystem::current_path(folder, changed);
        const std::u8string name = folder.u8string();
        if (prepared.problem) {
            problem = *prepared.problem;
        } else if (changed) {
            problem = std::string(msg::kUserFolderFailed) + std::string(name.begin(), name.end());
        } else if (prepared.made) {
            status = std::string(msg::kUserFolderMade) + std::string(name.begin(), name.end());
        }
    }
    MainDialog dialog;
    if (!status.empty()) {
        dialog.model().statusText = std::string(utf8Prefix(status, kStatusMaxBytes));
        dialog.showModel();
    }
    if (!problem.empty()) {
        QtMessageBoxes boxes;
        boxes.show(nullptr, QString::fromStdString(problem), MessageBoxes::Kind::Report);
    }
    dialog.exec();
    return 0;
}

}  // namespace diz
