#pragma once
// A setting in whole minutes within a range, such as the least ground time of the traffic check or how
// long a traffic tool may run: read as typed, stored as text, and read back with its default when none
// or an unreadable one is stored.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class SettingsStore;

struct MinuteSetting {
    std::string_view name; // in the settings store
    int least = 0, most = 0;
    int fallback = 0; // when none or an unreadable value is stored

    // What a valid value is, for messages: "a whole number of minutes from 0 to 1440".
    std::string rangeText() const;
    // A value as typed: a whole number within the range, blanks around it allowed; nullopt for
    // anything else.
    std::optional<int> parse(std::string_view text) const;
    int read(const SettingsStore& settings) const;
    void write(SettingsStore& settings, int minutes) const;
};

} // namespace corvane
