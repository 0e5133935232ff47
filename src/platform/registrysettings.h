#pragma once
// Corvane's per-user settings in the Windows registry, where QSettings keeps them for the program on
// Windows: the key HKEY_CURRENT_USER\Software\<organisation>\<application>\General, one value per
// setting named as the setting ("FS2002 Path", "Turnaround Minutes", ...), a string (REG_SZ) in
// QSettings' text form. Reads fall back, as QSettings does, to the organisation's defaults
// (...\<organisation>\OrganizationDefaults) and then to the same keys under HKEY_LOCAL_MACHINE; a
// number that QSettings stored as a DWORD or QWORD reads as its decimal text. Windows only.

#include "platform/settingsstore.h"

#include <string>

namespace corvane {

inline constexpr std::string_view kSettingsOrganisation = "Corvane";
inline constexpr std::string_view kSettingsApplication = "Corvane";

class RegistrySettingsStore final : public SettingsStore {
public:
    enum class Writes { Keep, Ignore };
    // writes Ignore: the store only reads (corvane-cli never changes the program's settings).
    explicit RegistrySettingsStore(Writes writes = Writes::Keep,
                                   std::string_view organisation = kSettingsOrganisation,
                                   std::string_view application = kSettingsApplication);

    std::string value(std::string_view key) const override;
    void setValue(std::string_view key, std::string_view value) override;

    // The key below HKEY_CURRENT_USER that holds the values: "Software\Corvane\Corvane\General".
    const std::string& userKey() const { return m_userKey; }

private:
    Writes m_writes;
    std::string m_userKey;
    std::string m_organisationKey;
};

} // namespace corvane
