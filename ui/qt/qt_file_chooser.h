// The file choosers of the batch actions as Qt file dialogs.
#pragma once

#include "batch/window.h"

class QWidget;

namespace diz {

// Shows a modal QFileDialog over `parent` for each request:
//  - the one filter, named "全て(*.*)", matches every file, with or without
//    an extension;
//  - the initial name is preset; a wildcard initial name ("*.txt") filters
//    the list instead and the name box starts empty;
//  - the typed name becomes a file by chosenName (batch/window.h): an
//    existing file of that name as typed, otherwise the name with the
//    default extension;
//  - an open dialog accepts only an existing file (otherwise it says so and
//    returns to the dialog);
//  - a save dialog asks before replacing a file and, when asked to, before
//    creating one (answering no returns to the dialog);
//  - the dialog starts in the current directory and never changes it.
class QtFileChooser final : public FileChooser {
  public:
    explicit QtFileChooser(QWidget* parent) : m_parent(parent) {}
    std::optional<std::string> choose(const ChooserRequest& request) override;

  private:
    QWidget* m_parent;
};

}  // namespace diz
