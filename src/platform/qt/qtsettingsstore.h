#pragma once
// The per-user settings store on QSettings: organisation and application "Corvane", group "General".

#include "platform/settingsstore.h"

namespace corvane {

class QtSettingsStore final : public SettingsStore {
public:
    std::string value(std::string_view key) const override;
    void setValue(std::string_view key, std::string_view value) override;
};

} // namespace corvane
