#pragma once
// How long a traffic tool may run before it is stopped and reported, in whole minutes. Kept in the
// settings; the Options window sets it, the program and corvane-cli read it.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class SettingsStore;

inline constexpr int kMaxToolTimeLimitMinutes = 1440;
// What a valid limit is, for messages: "a whole number of minutes from 1 to 1440".
std::string ToolTimeLimitRangeText();

// A limit as typed: a whole number of minutes from 1 to 1440, blanks around it allowed; nullopt for
// anything else.
std::optional<int> ParseToolTimeLimitMinutes(std::string_view text);

// The stored limit; the default (10 minutes) when none or an unreadable one is stored.
std::chrono::minutes ToolTimeLimitSetting(const SettingsStore& settings);
void SetToolTimeLimitSetting(SettingsStore& settings, int minutes);

} // namespace corvane
