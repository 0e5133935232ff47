#pragma once
// Corvane's own per-user settings: string values by key. The simulator folder is the only one.

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kFsPathSetting = "FS2002 Path";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value of key, or "" when it has none.
    virtual std::string value(std::string_view key) const = 0;
    virtual void setValue(std::string_view key, std::string_view value) = 0;
};

} // namespace corvane
