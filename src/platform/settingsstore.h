#pragma once
// Corvane's own per-user settings: string values by key: the simulator folder, the least ground time
// between two legs that the traffic check accepts, and how long a traffic tool may run.

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kFsPathSetting = "FS2002 Path";
inline constexpr std::string_view kTurnaroundSetting = "Turnaround Minutes";
inline constexpr std::string_view kToolTimeLimitSetting = "Tool Time Limit Minutes";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value of key, or "" when it has none.
    virtual std::string value(std::string_view key) const = 0;
    virtual void setValue(std::string_view key, std::string_view value) = 0;
};

} // namespace corvane
