#include "ui/qt/utf8_validator.h"

namespace diz {

qsizetype utf8Length(QStringView text) { return text.toUtf8().size(); }

QValidator::State Utf8LengthValidator::validate(QString& input, int& /*position*/) const {
    return utf8Length(input) <= m_maxBytes ? Acceptable : Invalid;
}

}  // namespace diz
