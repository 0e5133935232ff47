#include "platform/inisettings.h"

#include "platform/qtsettingstext.h"
#include "platform/textfile.h"
#include "platform/utf8.h"

#include <cstdlib>

namespace corvane {

namespace {

int HexDigit(char32_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Undoes QSettings' quoting and escapes; an escaped number is one character (a UTF-16 code unit).
std::u32string Unescape(std::string_view text) {
    const std::vector<char32_t> characters = CodePoints(text);
    std::u32string out;
    for (std::size_t i = 0; i < characters.size();) {
        const char32_t c = characters[i++];
        if (c == U'"') continue; // quotes only group
        if (c != U'\\' || i == characters.size()) {
            out += c;
            continue;
        }
        const char32_t e = characters[i++];
        char32_t code = 0;
        switch (e) {
        case 'a':
            out += U'\a';
            continue;
        case 'b':
            out += U'\b';
            continue;
        case 'f':
            out += U'\f';
            continue;
        case 'n':
            out += U'\n';
            continue;
        case 'r':
            out += U'\r';
            continue;
        case 't':
            out += U'\t';
            continue;
        case 'v':
            out += U'\v';
            continue;
        case 'x':
            while (i < characters.size() && HexDigit(characters[i]) >= 0)
                code = (code << 4) | static_cast<char32_t>(HexDigit(characters[i++]));
            out += code & 0xFFFF;
            continue;
        default:
            if (e >= '0' && e <= '7') {
                code = e - '0';
                for (int n = 0;
                     n < 2 && i < characters.size() && characters[i] >= '0' && characters[i] <= '7'; ++n)
                    code = (code << 3) | (characters[i++] - '0');
                out += code;
                continue;
            }
            out += e; // \\, \", \' and \? stand for themselves
        }
    }
    return out;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A key name as QSettings writes it: blanks and other special characters as %XX.
std::string EscapedKey(std::string_view key) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : key) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || c == '-' ||
            c == '_' || c == '.') {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

} // namespace

std::optional<std::string> QtIniValue(std::string_view text, std::string_view section, std::string_view key) {
    // The group "General" is written as "%General", since QSettings keeps "[General]" for keys without
    // a group.
    const std::string wantedSection = section == "General" ? "%General" : EscapedKey(section);
    const std::string wantedKey = EscapedKey(key);
    LineCursor lines(text);
    std::string_view line;
    bool inSection = false;
    while (lines.next(line)) {
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos && line.substr(1, close - 1) == wantedSection;
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos || Trim(line.substr(0, equals)) != wantedKey)
            continue;
        return QtSettingsValue(Unescape(Trim(line.substr(equals + 1))));
    }
    return std::nullopt;
}

std::string UserSettingsPath() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config) + "/Corvane/Corvane.conf";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/Corvane/Corvane.conf";
    return {};
}

std::string IniSettingsStore::value(std::string_view key) const {
    if (m_path.empty()) return {};
    const auto bytes = ReadFileBytes(m_path);
    if (!bytes) return {};
    return QtIniValue(*bytes, "General", key).value_or(std::string());
}

} // namespace corvane
