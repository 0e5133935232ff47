#pragma once
// The program's per-user settings where the program keeps them on this system (Linux: Qt's INI file,
// IniSettingsStore; Windows: the registry, RegistrySettingsStore), for reading only: corvane-cli
// starts from the program's settings but never changes them.

#include "platform/settingsstore.h"

#include <memory>

namespace corvane {

std::unique_ptr<SettingsStore> UserSettingsForReading();

} // namespace corvane
