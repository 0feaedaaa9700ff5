// Stand-ins for the window's message boxes and file choosers: the tests, the
// screenshot tool and the window benchmark answer them without a user.
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/window.h"
#include "ui/message_boxes.h"

namespace diz::test {

// Records every box instead of showing it, with the widget that had the
// focus while it was up.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString text;
        Kind kind;
        QWidget* focusWhileShown;
    };
    void show(QWidget* parent, const QString& text, Kind kind) override {
        shown.push_back({text, kind, parent ? parent->focusWidget() : nullptr});
        if (onShow) onShow();
    }
    std::vector<Shown> shown;
    std::function<void()> onShow;  // runs while the box would be up
};

// Answers each request with the next queued path; an empty queue cancels.
class ScriptedChooser final : public FileChooser {
public:
    std::optional<std::string> choose(const ChooserRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<ChooserRequest> requests;
};

}  // namespace diz::test
