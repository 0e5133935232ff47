#pragma once
// Windows' wide-character calls take UTF-16 text; host paths and texts on this side are UTF-8. Only
// the Windows build uses these.

#include "platform/utf8.h"

#include <string>
#include <string_view>

namespace corvane {

inline std::wstring WideOf(std::string_view utf8) {
    const std::u16string units = Utf16Units(utf8);
    return std::wstring(units.begin(), units.end());
}

inline std::string Utf8OfWide(std::wstring_view wide) {
    return Utf8OfUtf16(std::u16string(wide.begin(), wide.end()));
}

} // namespace corvane
