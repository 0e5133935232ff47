#include "platform/inisettings.h"
#include "platform/usersettings.h"

namespace corvane {

std::unique_ptr<SettingsStore> UserSettingsForReading() {
    return std::make_unique<IniSettingsStore>();
}

} // namespace corvane
