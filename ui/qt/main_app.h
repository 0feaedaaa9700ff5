// The application: Japanese platform texts, the program icon and the main
// window, shown modally for the program's whole life.
#pragma once

#include <QApplication>
#include <QTranslator>

namespace diz {

// The application's name is the executable's file name (DIZ), which titles
// every message box. It reads no arguments, settings or files of its own.
class MainApp : public QApplication {
    Q_OBJECT
  public:
    MainApp(int& argc, char** argv);

    // Shows the main window modally and returns when it closes. The way it
    // was closed does not matter: the exit status is always 0.
    int run();

  private:
    QTranslator m_platformTexts;
};

// Loads Qt's own Japanese texts (buttons, file dialogs) into `translator` and
// installs it; returns false where the translation is not installed.
bool installPlatformTranslation(QTranslator& translator);

}  // namespace diz
