#include "ui/qt/about_dialog.h"

#include <QPushButton>

#include "batch/dialogs.h"

namespace diz {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    m_controls = buildDialog(*this, kAboutDialogTemplate);
    auto* ok = static_cast<QPushButton*>(control(ids::kAboutOk));
    connect(ok, &QPushButton::clicked, this, &AboutDialog::accept);
    ok->setFocus();
}

QWidget* AboutDialog::control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

}  // namespace diz
