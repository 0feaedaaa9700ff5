#include "ui/qt/field_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace diz {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.sliced(begin, end - begin);
}

}  // namespace

std::optional<long long> parseInteger(QStringView text) {
    QStringView digits = trimBlanks(text);
    bool negative = false;
    if (!digits.isEmpty() && (digits[0] == u'+' || digits[0] == u'-')) {
        negative = digits[0] == u'-';
        digits = digits.sliced(1);
    }
    if (digits.isEmpty()) return std::nullopt;

    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long magnitude = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        const int digit = c.unicode() - u'0';
        magnitude = magnitude > (kMax - digit) / 10 ? kMax : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

std::optional<double> parseNumber(QStringView text) {
    QStringView trimmed = trimBlanks(text);
    // from_chars reads a minus sign but not a plus.
    if (!trimmed.isEmpty() && trimmed[0] == u'+') {
        trimmed = trimmed.sliced(1);
        if (!trimmed.isEmpty() && trimmed[0] == u'-') return std::nullopt;
    }
    if (trimmed.isEmpty()) return std::nullopt;
    for (QChar c : trimmed) {
        // Digits, point, sign and exponent only: no "inf", "nan" or hex.
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' ||
                             c == u'e' || c == u'E';
        if (!allowed) return std::nullopt;
    }
    const std::string ascii = trimmed.toLatin1().toStdString();
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value,
                                              std::chars_format::general);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString formatNumber(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

qsizetype utf8Length(QStringView text) { return text.toUtf8().size(); }

QValidator::State Utf8LengthValidator::validate(QString& input, int& /*position*/) const {
    return utf8Length(input) <= m_maxBytes ? Acceptable : Invalid;
}

}  // namespace diz
