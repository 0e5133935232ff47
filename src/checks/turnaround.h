#pragma once
// The turnaround minimum of the traffic check: the least ground time between two legs, in whole
// minutes. Kept in the settings; the Options window and corvane-cli's --turnaround set it.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class SettingsStore;

inline constexpr int kMaxTurnaroundMinutes = 1440;
// What a valid minimum is, for messages: "a whole number of minutes from 0 to 1440".
std::string TurnaroundRangeText();

// A minimum as typed: a whole number of minutes from 0 to 1440, blanks around it allowed; nullopt for
// anything else.
std::optional<int> ParseTurnaroundMinutes(std::string_view text);

// The stored minimum; the default (10 minutes) when none or an unreadable one is stored.
int TurnaroundSetting(const SettingsStore& settings);
void SetTurnaroundSetting(SettingsStore& settings, int minutes);

} // namespace corvane
