#include "ui/qt/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace diz {

void QtMessageBoxes::show(QWidget* parent, const QString& text, Kind kind) {
    QMessageBox box(kind == Kind::Report ? QMessageBox::NoIcon : QMessageBox::Warning,
                    QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace diz
