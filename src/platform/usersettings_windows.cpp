#include "platform/registrysettings.h"
#include "platform/usersettings.h"

namespace corvane {

std::unique_ptr<SettingsStore> UserSettingsForReading() {
    return std::make_unique<RegistrySettingsStore>(RegistrySettingsStore::Writes::Ignore);
}

} // namespace corvane
