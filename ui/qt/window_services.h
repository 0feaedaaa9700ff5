// The file chooser and message boxes a window asks its user through.
#pragma once

#include <memory>

#include "batch/window.h"

class QWidget;

namespace diz {

class MessageBoxes;

// Qt's file dialogs and message boxes over `owner`, made when first needed,
// unless a test or tool has set its own (not owned; nullptr restores Qt's).
class WindowServices {
  public:
    explicit WindowServices(QWidget* owner);
    ~WindowServices();

    void setFileChooser(FileChooser* chooser) { m_fileChooser = chooser; }
    void setMessageBoxes(MessageBoxes* boxes) { m_messageBoxes = boxes; }
    // What was set, so that a child window asks the same ones.
    FileChooser* fileChooserSet() const { return m_fileChooser; }
    MessageBoxes* messageBoxesSet() const { return m_messageBoxes; }

    FileChooser& fileChooser();
    MessageBoxes& messageBoxes();

  private:
    QWidget* m_owner;
    FileChooser* m_fileChooser = nullptr;
    MessageBoxes* m_messageBoxes = nullptr;
    std::unique_ptr<FileChooser> m_qtFileChooser;
    std::unique_ptr<MessageBoxes> m_qtMessageBoxes;
};

}  // namespace diz
