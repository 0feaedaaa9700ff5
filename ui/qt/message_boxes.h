// The window's modal message boxes, behind an interface so that tests can
// answer them without a window popping up.
#pragma once

#include <QString>

class QWidget;

namespace diz {

class MessageBoxes {
  public:
    enum class Kind {
        Report,      // an action's outcome: no icon
        Validation,  // a field that does not hold a valid value: warning icon
    };
    virtual ~MessageBoxes() = default;
    // Shows `text` modally over `parent` with the application's name as the
    // title and one OK button, and returns when the user has closed it.
    virtual void show(QWidget* parent, const QString& text, Kind kind) = 0;
    // Asks `text` modally over `parent`, titled as show() titles, with the
    // buttons msg::kYes and msg::kNo, no the default (Enter and Escape both
    // answer no); true for yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
};

// QMessageBox, titled with QCoreApplication::applicationName().
class QtMessageBoxes final : public MessageBoxes {
  public:
    void show(QWidget* parent, const QString& text, Kind kind) override;
    bool ask(QWidget* parent, const QString& text) override;
};

}  // namespace diz
