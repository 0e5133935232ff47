#include "platform/qtsettingstext.h"

#include "platform/utf8.h"

namespace corvane {

std::string QtSettingsValue(std::u32string_view stored) {
    std::string bytes;
    if (stored.starts_with(U"@ByteArray(") && stored.ends_with(U")")) {
        for (const char32_t c : stored.substr(11, stored.size() - 12)) bytes += static_cast<char>(c & 0xFF);
        return bytes;
    }
    if (stored.starts_with(U"@@"))
        stored.remove_prefix(1);
    else if (stored.starts_with(U"@"))
        return bytes; // a value of another type
    for (const char32_t c : stored) AppendUtf8(bytes, c);
    return bytes;
}

std::string QtSettingsText(std::string_view value) {
    std::string text;
    for (const char32_t c : CodePoints(value)) AppendUtf8(text, c);
    if (text != value) {
        // Not UTF-8: a byte array, each byte its own character.
        text = "@ByteArray(";
        for (const char b : value) AppendUtf8(text, static_cast<unsigned char>(b));
        return text + ")";
    }
    return value.starts_with('@') ? "@" + text : text;
}

} // namespace corvane
