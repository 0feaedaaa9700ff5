// How the window's fields turn into values and back. What the user is told
// when a field does not hold a valid value is in batch/messages.h.
#pragma once

#include <QString>
#include <QStringView>
#include <QValidator>
#include <optional>

namespace diz {

// A decimal integer: optional blanks, an optional sign, digits, optional
// blanks. Values too large for 64 bits saturate, so they fail any range check
// rather than read as "not an integer".
std::optional<long long> parseInteger(QStringView text);

// A finite decimal floating-point number: optional blanks, an optional sign,
// digits with an optional point and exponent, optional blanks. Infinities,
// NaN and hexadecimal forms are not numbers here.
std::optional<double> parseNumber(QStringView text);

// The shortest text that parseNumber reads back as exactly `value`.
QString formatNumber(double value);

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
