// How the windows' fields turn into values and back, the same in every
// front-end. Texts are UTF-8. What the user is told when a field does not
// hold a valid value is in batch/messages.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace diz {

// `text` with every full-width form of an ASCII character (U+FF01 to
// U+FF5E: "５００", "－０．５", what a Japanese input method types) and the
// ideographic space (U+3000) replaced by the ASCII character it stands for;
// everything else as it is.
std::string toHalfWidth(std::string_view text);

// A decimal integer: optional blanks, an optional sign, digits, optional
// blanks, full-width forms read as their ASCII characters. Values too large
// for 64 bits saturate, so they fail any range check rather than read as
// "not an integer".
std::optional<long long> parseInteger(std::string_view text);

// A finite decimal floating-point number: optional blanks, an optional sign,
// digits with an optional point and exponent, optional blanks, full-width
// forms read as their ASCII characters. Infinities, NaN and hexadecimal forms
// are not numbers here.
std::optional<double> parseNumber(std::string_view text);

// The shortest text that parseNumber reads back as exactly `value`.
std::string formatNumber(double value);

}  // namespace diz
