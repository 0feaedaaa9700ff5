#include "ui/qt/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "batch/messages.h"

namespace diz {

void QtMessageBoxes::show(QWidget* parent, const QString& text, Kind kind) {
    QMessageBox box(kind == Kind::Report ? QMessageBox::NoIcon : QMessageBox::Warning,
                    QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxes::ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(msg::kYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(msg::kNo));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace diz
