#include "support/recording_message_boxes.h"

#include <QWidget>

namespace diz::support {

void RecordingMessageBoxes::show(QWidget* parent, const QString& text, Kind kind) {
    shown.push_back({text, kind, parent ? parent->focusWidget() : nullptr});
    if (onShow) onShow();
}

bool RecordingMessageBoxes::ask(QWidget*, const QString& text) {
    asked.push_back(text);
    return answer;
}

}  // namespace diz::support
