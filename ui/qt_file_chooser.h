// The file choosers of the batch actions as Qt file dialogs.
#pragma once

#include <QString>

#include "batch/window.h"

class QWidget;

namespace diz {

// Shows a modal QFileDialog over `parent` for each request:
//  - the filter entries of the request ("全て(*.*)|*.*||") are offered under
//    their own names; "*.*" matches every file, with or without an extension;
//  - the initial name and the default extension are preset;
//  - an open dialog accepts only an existing file;
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

// The request's "name|pattern|name|pattern||" filter as QFileDialog name
// filters, "name (patterns)"; "*.*" becomes "*" because on this platform a
// file name need not contain a point.
QStringList qtNameFilters(const std::string& filter);

}  // namespace diz
