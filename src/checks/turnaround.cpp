#include "checks/turnaround.h"

#include "checks/trafficcheck.h"
#include "environment/settingsstore.h"
#include "traffic/numbers.h"

namespace corvane {

std::string TurnaroundRangeText() {
    return "a whole number of minutes from 0 to " + std::to_string(kMaxTurnaroundMinutes);
}

std::optional<int> ParseTurnaroundMinutes(std::string_view text) {
    return ParseWholeNumber(text, 0, kMaxTurnaroundMinutes);
}

int TurnaroundSetting(const SettingsStore& settings) {
    return ParseTurnaroundMinutes(settings.value(kTurnaroundSetting)).value_or(kDefaultTurnaroundMinutes);
}

void SetTurnaroundSetting(SettingsStore& settings, int minutes) {
    settings.setValue(kTurnaroundSetting, std::to_string(minutes));
}

} // namespace corvane
