#include "ui/qt_file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace diz {

QStringList qtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;  // the closing "||"
        QString patterns = parts[i + 1];
#ifndef _WIN32
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
#endif
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.replace(u';', u' '));
    }
    return filters;
}

std::optional<std::string> QtFileChooser::choose(const ChooserRequest& request) {
    const bool save = request.kind == ChooserRequest::Kind::Save;
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile
                                                      : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(request.filter));
    // The names read "全て(*.*)" as they are; the patterns behind them are ours.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setDirectory(QDir::currentPath());
    dialog.selectFile(QString::fromStdString(request.initialName));

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString path = dialog.selectedFiles().constFirst();
        if (save && request.createPrompt && !QFileInfo::exists(path)) {
            const auto answer =
                QMessageBox::question(m_parent, dialog.windowTitle(),
                                      QStringLiteral("%1 は存在しません。\nファイルを作成しますか?")
                                          .arg(QFileInfo(path).fileName()));
            if (answer != QMessageBox::Yes) continue;
        }
        return path.toStdString();
    }
}

}  // namespace diz
