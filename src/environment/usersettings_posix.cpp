#include "environment/inisettings.h"
#include "environment/usersettings.h"

namespace corvane {

std::unique_ptr<SettingsStore> UserSettingsForReading() {
    return std::make_unique<IniSettingsStore>();
}

} // namespace corvane
