#include "traffic/inifile.h"

#include "platform/textfile.h"
#include "traffic/text.h"

namespace corvane {

namespace {

constexpr std::size_t kValueLimit = 199; // a 200-character buffer with its terminating NUL

std::string_view TrimBlanksAndTabs(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

IniFile::IniFile(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    LineCursor lines(bytes);
    std::string_view line;
    Section* current = nullptr;
    while (lines.next(line)) {
        line = TrimBlanksAndTabs(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            auto name = line.substr(1);
            const auto close = name.find(']');
            if (close != std::string_view::npos) name = name.substr(0, close);
            m_sections.push_back({std::string(TrimBlanksAndTabs(name)), {}});
            m_firstSection.try_emplace(m_sections.back().name, m_sections.size() - 1);
            current = &m_sections.back();
            continue;
        }
        const auto equals = line.find('=');
        if (!current || equals == std::string_view::npos) continue;
        current->entries.push_back({std::string(TrimBlanksAndTabs(line.substr(0, equals))),
                                    std::string(TrimBlanksAndTabs(line.substr(equals + 1)))});
    }
}

std::string IniFile::value(std::string_view section, std::string_view key, std::string_view fallback) const {
    // Only the first section of that name is searched.
    const auto found = m_firstSection.find(section);
    if (found == m_firstSection.end()) return std::string(fallback);
    for (const Entry& e : m_sections[found->second].entries) {
        if (!EqualsIgnoringCase(e.key, key)) continue;
        std::string_view v = e.value;
        v = v.substr(0, v.find('\0'));
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return std::string(v.substr(0, kValueLimit));
    }
    return std::string(fallback);
}

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view fallback) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return std::string(fallback);
    return IniFile(*bytes).value(section, key, fallback);
}

} // namespace corvane
