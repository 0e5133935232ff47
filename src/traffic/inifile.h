#pragma once
// INI-style files such as aircraft.cfg, read the way the Windows profile-string reader reads them.

#include "traffic/text.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view bytes);

    // The value of key in section: both names matched without regard to case, the first section and
    // the first key of that name win; the value trimmed of blanks and tabs, one pair of enclosing
    // quotes (" or ') removed, cut at a NUL and to 199 characters; fallback when there is no such key.
    std::string value(std::string_view section, std::string_view key, std::string_view fallback) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    std::vector<Section> m_sections;
    // Section name (letter case ignored) -> the first section of that name, so that a lookup does not
    // walk every section of a file that has a great many.
    std::unordered_map<std::string, std::size_t, HashIgnoringCase, EqualIgnoringCase> m_firstSection;
};

// One value of the file at path, or fallback when the file or the key is missing.
std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view fallback);

} // namespace corvane
