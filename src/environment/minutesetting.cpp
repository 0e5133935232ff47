#include "environment/minutesetting.h"

#include "platform/settingsstore.h"
#include "traffic/numbers.h"

namespace corvane {

std::string MinuteSetting::rangeText() const {
    return "a whole number of minutes from " + std::to_string(least) + " to " + std::to_string(most);
}

std::optional<int> MinuteSetting::parse(std::string_view text) const {
    return ParseWholeNumber(text, least, most);
}

int MinuteSetting::read(const SettingsStore& settings) const {
    return parse(settings.value(name)).value_or(fallback);
}

void MinuteSetting::write(SettingsStore& settings, int minutes) const {
    settings.setValue(name, std::to_string(minutes));
}

} // namespace corvane
