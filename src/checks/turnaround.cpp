#include "checks/turnaround.h"

#include "checks/trafficcheck.h"
#include "environment/settingsstore.h"
#include "traffic/text.h"

#include <charconv>

namespace corvane {

std::string TurnaroundRangeText() {
    return "a whole number of minutes from 0 to " + std::to_string(kMaxTurnaroundMinutes);
}

std::optional<int> ParseTurnaroundMinutes(std::string_view text) {
    text = TrimView(text);
    if (text.empty() || text.size() > 4) return std::nullopt;
    int minutes = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), minutes);
    if (error != std::errc() || end != text.data() + text.size() || minutes < 0 ||
        minutes > kMaxTurnaroundMinutes)
        return std::nullopt;
    return minutes;
}

int TurnaroundSetting(const SettingsStore& settings) {
    return ParseTurnaroundMinutes(settings.value(kTurnaroundSetting)).value_or(kDefaultTurnaroundMinutes);
}

void SetTurnaroundSetting(SettingsStore& settings, int minutes) {
    settings.setValue(kTurnaroundSetting, std::to_string(minutes));
}

} // namespace corvane
