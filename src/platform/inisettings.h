#pragma once
// Corvane's per-user settings as the program keeps them on Linux, read without Qt: the INI file
// $XDG_CONFIG_HOME/Corvane/Corvane.conf (else ~/.config/...) in QSettings' format, where the group
// "General" is the section "[%General]", blanks in key names are "%20", and values are strings with
// C-like escapes, optionally quoted, or byte arrays "@ByteArray(...)".
//
// corvane-cli uses it to start from the same simulator folder as the program; it never changes the
// program's settings, so its writes go nowhere.

#include "platform/settingsstore.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The bytes of key in section of INI text in QSettings' format, or nullopt when it is not there.
std::optional<std::string> QtIniValue(std::string_view text, std::string_view section, std::string_view key);

// Where the program's settings file is, from the environment; "" when neither variable is set.
std::string UserSettingsPath();

class IniSettingsStore final : public SettingsStore {
public:
    explicit IniSettingsStore(std::string path = UserSettingsPath())
        : m_path(std::move(path)) {}

    std::string value(std::string_view key) const override;
    void setValue(std::string_view, std::string_view) override {}

private:
    std::string m_path;
};

} // namespace corvane
