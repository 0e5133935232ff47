#pragma once
// Where the traffic tools and corvane-cli look for the simulator in a test: the "EXE Path" value of
// the simulator's registry key. On Linux it is kept in a Wine prefix made in the test's folder (its
// system.reg; the programs the test starts find it through WINEPREFIX); on Windows in the system's
// own registry, the value it held put back when the object goes. The paths registered are Windows
// paths; those on drive C name folders below driveC() on either system.
//
// The program's own per-user settings are set aside for the test as well: on Linux a settings folder
// of the test's own (XDG_CONFIG_HOME); on Windows the program's values are taken out of the registry
// and put back afterwards.

#include "tempdir.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::test {

class SimulatorRegistration {
public:
    explicit SimulatorRegistration(const TempDir& dir);
    ~SimulatorRegistration();
    SimulatorRegistration(const SimulatorRegistration&) = delete;
    SimulatorRegistration& operator=(const SimulatorRegistration&) = delete;

    // Registers windowsPath ("C:\Flight Simulator 2002"); "" leaves the key without the value.
    void registerFolder(std::string_view windowsPath);
    // No registry at all: on Linux a prefix that does not exist; on Windows the value is removed.
    void forgetRegistry();

    // The folder of drive C, ending in the separator.
    const std::string& driveC() const { return m_driveC; }
    // The Windows path that names pathOnC ("C:\FS2002") on this system.
    std::string windowsPath(std::string_view pathOnC) const;
    // The "EXE Path" value as it stands; "" when there is none.
    std::string registeredValue() const;
    // The variables a program started by the test needs to find the registration.
    std::vector<std::pair<std::string, std::string>> environment() const;

    // The program's own per-user setting, written where the program keeps it ("" removes it).
    void setUserSetting(std::string_view key, const std::string& value);

private:
    struct Saved;
    const TempDir& m_dir;
    std::string m_driveC;
    std::string m_prefix;
    std::unique_ptr<Saved> m_saved;
    std::vector<std::pair<std::string, std::string>> m_userSettings;
};

} // namespace corvane::test
