#include "ui/qt/qt_file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "batch/messages.h"

namespace diz {
namespace {

// The name is the one every chooser of the system shows; the pattern is "*"
// rather than "*.*", because a file name need not contain a point here.
const QString kAllFilesFilter = QStringLiteral("全て(*.*) (*)");

}  // namespace

std::optional<std::string> QtFileChooser::choose(const ChooserRequest& request) {
    const bool save = request.kind == ChooserRequest::Kind::Save;
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any name is taken back from the dialog: whether the typed name or the
    // name with the default extension is meant, and whether it must exist,
    // is decided below (chosenName), not by the dialog, which would add the
    // extension to a file that exists without one.
    dialog.setFileMode(QFileDialog::AnyFile);
    // A wildcard initial name ("*.txt") is no name: as in the system's own
    // chooser it filters the list, behind the one filter's name, and the name
    // box starts empty.
    const QString initial = QString::fromStdString(request.initialName);
    const bool wildcard = initial.contains(u'*') || initial.contains(u'?');
    dialog.setNameFilter(wildcard ? QStringLiteral("全て(*.*) (%1)").arg(initial)
                                  : kAllFilesFilter);
    // The name reads "全て(*.*)" as it is; the pattern behind it is ours.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(QDir::currentPath());
    if (!wildcard) dialog.selectFile(initial);

    const auto exists = [](const std::string& name) {
        return QFileInfo::exists(QString::fromStdString(name));
    };
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const std::string name = chosenName(dialog.selectedFiles().constFirst().toStdString(),
                                            request.defaultExtension, exists);
        const QString path = QString::fromStdString(name);
        const QString file = QFileInfo(path).fileName();
        if (!save && request.fileMustExist && !exists(name)) {
            QMessageBox::warning(m_parent, dialog.windowTitle(),
                                 QString::fromUtf8(msg::kFileNotFound) + file);
            dialog.selectFile(file);
            continue;
        }
        if (save && request.overwritePrompt && exists(name)) {
            const auto answer = QMessageBox::question(
                m_parent, dialog.windowTitle(), QString::fromUtf8(msg::kConfirmReplace) + file);
            if (answer != QMessageBox::Yes) continue;
        }
        if (save && request.createPrompt && !exists(name)) {
            const auto answer =
                QMessageBox::question(m_parent, dialog.windowTitle(),
                                      QString::fromUtf8(msg::createPrompt(file.toStdString())));
            if (answer != QMessageBox::Yes) continue;
        }
        return name;
    }
}

}  // namespace diz
