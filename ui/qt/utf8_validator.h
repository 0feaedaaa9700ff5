// The byte limits of the window's text fields, as Qt sees them.
#pragma once

#include <QString>
#include <QStringView>
#include <QValidator>

namespace diz {

// Length in bytes of the text as UTF-8, the unit of the fields' limits.
qsizetype utf8Length(QStringView text);

// Refuses an edit that would make the text longer than a number of UTF-8
// bytes. Text set by the program is not checked.
class Utf8LengthValidator : public QValidator {
    Q_OBJECT
  public:
    Utf8LengthValidator(int maxBytes, QObject* parent) : QValidator(parent), m_maxBytes(maxBytes) {}
    int maxBytes() const { return m_maxBytes; }
    State validate(QString& input, int& position) const override;

  private:
    int m_maxBytes;
};

}  // namespace diz
