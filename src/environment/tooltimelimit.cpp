#include "environment/tooltimelimit.h"

#include "environment/settingsstore.h"
#include "environment/toolrunner.h"
#include "traffic/numbers.h"

namespace corvane {

std::string ToolTimeLimitRangeText() {
    return "a whole number of minutes from 1 to " + std::to_string(kMaxToolTimeLimitMinutes);
}

std::optional<int> ParseToolTimeLimitMinutes(std::string_view text) {
    return ParseWholeNumber(text, 1, kMaxToolTimeLimitMinutes);
}

std::chrono::minutes ToolTimeLimitSetting(const SettingsStore& settings) {
    const auto minutes = ParseToolTimeLimitMinutes(settings.value(kToolTimeLimitSetting));
    return minutes ? std::chrono::minutes(*minutes) : kDefaultToolTimeLimit;
}

void SetToolTimeLimitSetting(SettingsStore& settings, int minutes) {
    settings.setValue(kToolTimeLimitSetting, std::to_string(minutes));
}

} // namespace corvane
