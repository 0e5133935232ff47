#include "editors/recentprojects.h"

#include "platform/settingsstore.h"

#include <algorithm>

namespace corvane {

// The paths are kept in one value, each ended by a NUL: a path can hold any other byte.
RecentProjects::RecentProjects(SettingsStore& settings)
    : m_settings(settings) {
    const std::string stored = m_settings.value(kRecentProjectsSetting);
    for (std::size_t start = 0, end; (end = stored.find('\0', start)) != std::string::npos; start = end + 1)
        if (end > start && m_paths.size() < kRecentProjectsKept)
            m_paths.push_back(stored.substr(start, end - start));
}

void RecentProjects::add(const std::string& path) {
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kRecentProjectsKept) m_paths.resize(kRecentProjectsKept);
    store();
}

void RecentProjects::remove(const std::string& path) {
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    store();
}

void RecentProjects::clear() {
    m_paths.clear();
    store();
}

void RecentProjects::store() {
    std::string stored;
    for (const std::string& path : m_paths) {
        stored += path;
        stored += '\0';
    }
    m_settings.setValue(kRecentProjectsSetting, stored);
}

} // namespace corvane
