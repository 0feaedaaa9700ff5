// The About box: the program icon, "DIZ Version 1.0" and OK.
#pragma once

#include <QDialog>

#include "ui/qt/dialog_builder.h"

namespace diz {

// Modal, centred over its parent, closed by OK, Enter, Escape or its close
// box. It holds no values and changes nothing.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The control with identifier `id` (1 is OK), or nullptr.
    QWidget* control(int id) const;

  private:
    ControlMap m_controls;
};

}  // namespace diz
