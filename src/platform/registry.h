#pragma once
// Access to one string value of the registry by hive, key and value name. The simulator keeps the
// folder it is installed in there, and the traffic tools find it through the same value. On Linux the
// registry is that of the Wine prefix, so a path stored in it is a Windows path: the registry also
// turns its paths into host paths and back.

#include <string>
#include <string_view>

namespace corvane {

// Hive names used by the callers; any name other than "CR" means the local-machine hive.
inline constexpr std::string_view kLocalMachine = "LM";
inline constexpr std::string_view kClassesRoot = "CR";

inline constexpr std::string_view kSimulatorKey =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
inline constexpr std::string_view kExePathValue = "EXE Path";

class Registry {
public:
    virtual ~Registry() = default;

    // The string value, or "" when the key or the value is missing or cannot be read.
    virtual std::string read(std::string_view hive, std::string_view key,
                             std::string_view valueName) const = 0;
    // Stores value as a string value, creating the key when needed. False when it could not be stored
    // (lastWriteError() says why); nothing else changes then.
    virtual bool write(std::string_view hive, std::string_view key, std::string_view valueName,
                       std::string_view value) = 0;
    // Why the last write did not take; "" when it did.
    virtual std::string lastWriteError() const { return {}; }

    // A path as the registry holds it, as a host path; "" when it names nothing on this host.
    virtual std::string toHostPath(std::string_view registryPath) const { return std::string(registryPath); }
    // A host path in the form the registry holds.
    virtual std::string toRegistryPath(std::string_view hostPath) const { return std::string(hostPath); }
};

std::string GetRegString(const Registry& registry, std::string_view hive, std::string_view key,
                         std::string_view valueName);
// False when the value could not be stored; callers that need not know ignore it.
bool SetRegString(Registry& registry, std::string_view hive, std::string_view key, std::string_view valueName,
                  std::string_view value);

// The simulator's own "EXE Path" value as a host folder (no separator added); "" when there is none.
std::string RegisteredFSFolder(const Registry& registry);
// What "EXE Path" holds to name the host folder fsFolder: the registry's form, without the separator
// at its end (but for a root folder).
std::string FSFolderValue(const Registry& registry, const std::string& fsFolder);

} // namespace corvane
