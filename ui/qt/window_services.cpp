#include "ui/qt/window_services.h"

#include "ui/qt/message_boxes.h"
#include "ui/qt/qt_file_chooser.h"

namespace diz {

WindowServices::WindowServices(QWidget* owner) : m_owner(owner) {}

WindowServices::~WindowServices() = default;

FileChooser& WindowServices::fileChooser() {
    if (m_fileChooser != nullptr) return *m_fileChooser;
    if (!m_qtFileChooser) m_qtFileChooser = std::make_unique<QtFileChooser>(m_owner);
    return *m_qtFileChooser;
}

MessageBoxes& WindowServices::messageBoxes() {
    if (m_messageBoxes != nullptr) return *m_messageBoxes;
    if (!m_qtMessageBoxes) m_qtMessageBoxes = std::make_unique<QtMessageBoxes>();
    return *m_qtMessageBoxes;
}

}  // namespace diz
