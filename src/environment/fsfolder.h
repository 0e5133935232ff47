#pragma once
// The simulator's main folder (FSFolder): validated by the fs2002.exe it must hold, kept in the
// settings, and written back to the simulator's own registry value when that value names no folder
// holding fs2002.exe, so that the traffic tools find the simulator too. Folders are host paths ending
// in the separator; the registry sees them in its own form.

#include <string>
#include <string_view>

namespace corvane {

class Registry;
class SettingsStore;
struct ProgramState;

inline constexpr std::string_view kSimulatorProgram = "fs2002.exe";

// True when sPath (given a separator at its end if it had none) holds fs2002.exe; then the setting is
// saved and state.fsFolder set. A path ending in two separators is refused. sPath is taken as a host
// path first (hostfs::HostPath: on Windows a folder typed with backslashes).
bool CheckFSPath(std::string& sPath, Registry& registry, SettingsStore& settings, ProgramState& state);

// The folder to start with: the setting; when there is none, the registry's folder with a separator
// at its end, which the user must then confirm (fromRegistry true).
struct StartFolder {
    std::string folder;
    bool fromRegistry = false;
};
StartFolder InitialFSFolder(const Registry& registry, const SettingsStore& settings);

} // namespace corvane
