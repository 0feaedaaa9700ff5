// The application: Japanese platform texts, the program icon and the main
// window, shown modally for the program's whole life.
#pragma once

#include <QApplication>
#include <QTranslator>

namespace diz {

// The application's name is the executable's file name (DIZ), which titles
// every message box. It reads no settings or files of its own.
class MainApp : public QApplication {
    Q_OBJECT
  public:
    MainApp(int& argc, char** argv);

    // Shows the main window modally and returns when it closes. The way it
    // was closed does not matter: the exit status is always 0. With
    // `inUserFolder` (DIZ --user-folder, as the desktop entry starts it) the
    // folder of the user's own is prepared first and made the current
    // directory (see batch/user_folder.h); the status line then says when a
    // first start made it, and a folder that can't be made is reported in a
    // box, the program going on in the folder it was started in.
    int run(bool inUserFolder = false);

  private:
    QTranslator m_platformTexts;
};

// Loads Qt's own Japanese texts (buttons, file dialogs) into `translator` and
// installs it; returns false where the translation is not installed.
bool installPlatformTranslation(QTranslator& translator);

}  // namespace diz
