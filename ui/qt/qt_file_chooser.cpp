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
    dialog.setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile
                                                      : QFileDialog::ExistingFile);
    // A wildcard initial name ("*.txt") is no name: as in the system's own
    // chooser it filters the list, behind the one filter's name, and the name
    // box starts empty.
    const QString initial = QString::fromStdString(request.initialName);
    const bool wildcard = initial.contains(u'*') || initial.contains(u'?');
    dialog.setNameFilter(wildcard ? QStringLiteral("全て(*.*) (%1)").arg(initial)
                                  : kAllFilesFilter);
    // The name reads "全て(*.*)" as it is; the pattern behind it is ours.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setDirectory(QDir::currentPath());
    if (!wildcard) dialog.selectFile(initial);

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString path = dialog.selectedFiles().constFirst();
        if (save && request.createPrompt && !QFileInfo::exists(path)) {
            const auto answer = QMessageBox::question(
                m_parent, dialog.windowTitle(),
                QString::fromUtf8(msg::createPrompt(QFileInfo(path).fileName().toStdString())));
            if (answer != QMessageBox::Yes) continue;
        }
        return path.toStdString();
    }
}

}  // namespace diz
