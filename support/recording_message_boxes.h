// The window's message boxes without a window: the tests, the screenshot tool
// and the window benchmark read what would have been shown.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "ui/qt/message_boxes.h"

class QWidget;

namespace diz::support {

// Records every box instead of showing it, with the widget that had the
// focus while it was up.
class RecordingMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        QString text;
        Kind kind;
        QWidget* focusWhileShown;
    };
    void show(QWidget* parent, const QString& text, Kind kind) override;
    // Records the question and answers `answer`.
    bool ask(QWidget* parent, const QString& text) override;

    std::vector<Shown> shown;
    std::function<void()> onShow;  // runs while the box would be up
    QStringList asked;             // every question, in order
    bool answer = false;           // what ask() answers: no, as the default button
};

}  // namespace diz::support
