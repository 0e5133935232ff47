#pragma once
// File > Recent Projects: the last projects opened or saved, newest first, at most eight, kept in the
// settings store. A project that is no longer there is taken off the list when chosen.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class SettingsStore;

inline constexpr std::string_view kRecentProjectsSetting = "Recent Projects";
inline constexpr std::size_t kRecentProjectsKept = 8;

class RecentProjects {
public:
    explicit RecentProjects(SettingsStore& settings);

    const std::vector<std::string>& paths() const { return m_paths; }
    // path goes first (once); the ninth and later go.
    void add(const std::string& path);
    void remove(const std::string& path);
    // File > Recent Projects > "Clear Recent Projects".
    void clear();

private:
    void store();

    SettingsStore& m_settings;
    std::vector<std::string> m_paths;
};

} // namespace corvane
