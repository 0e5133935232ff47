#include "platform/regimport.h"

#include "platform/registry.h"
#include "platform/regtext.h"
#include "platform/textfile.h"
#include "platform/utf8.h"

namespace corvane {

namespace {

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The text between the quotes that open at text[at], unescaped, and where it ends; nullopt when the
// quotes do not close.
std::optional<std::string> Unquoted(std::string_view text, std::size_t at, std::size_t* end) {
    if (at >= text.size() || text[at] != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[++i];
        } else if (text[i] == '"') {
            *end = i + 1;
            return out;
        } else {
            out += text[i];
        }
    }
    return std::nullopt;
}

} // namespace

std::string RegRootedKey(std::string_view hive, std::string_view key) {
    return (hive == kClassesRoot ? "HKEY_CLASSES_ROOT\\" : "HKEY_LOCAL_MACHINE\\") + std::string(key);
}

std::string RegImportFile(std::string_view rootedKey, std::string_view valueName, std::string_view value) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" + std::string(rootedKey) +
                             "]\r\n" + Quoted(valueName) + "=" + Quoted(value) + "\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : Utf16Units(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::optional<std::string> RegExportedString(std::string_view file, std::string_view valueName) {
    std::u16string units;
    std::size_t start = file.starts_with("\xFF\xFE") ? 2 : 0;
    for (std::size_t i = start; i + 1 < file.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                              (static_cast<unsigned char>(file[i + 1]) << 8)));
    const std::string text = Utf8OfUtf16(units);
    LineCursor lines(text);
    std::string_view line;
    while (lines.next(line)) {
        std::size_t end = 0;
        const auto name = Unquoted(line, 0, &end);
        if (!name || !SameRegName(*name, valueName) || end >= line.size() || line[end] != '=') continue;
        std::size_t dataEnd = 0;
        return Unquoted(line, end + 1, &dataEnd);
    }
    return std::nullopt;
}

} // namespace corvane
