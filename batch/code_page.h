// Text that comes from other programs' files: telling UTF-8 from the code
// page that Japanese Windows programs save in (932), and turning the latter
// into UTF-8. The conversion is the one platform-dependent piece: the C
// library's iconv on Linux, the Windows API's on Windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace diz {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isUtf8(std::string_view bytes);

// `bytes` read as code page 932 and written as UTF-8, or nothing when they
// are not valid in that code page.
std::optional<std::string> cp932ToUtf8(std::string_view bytes);

}  // namespace diz
