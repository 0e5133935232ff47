#include "environment/fsfolder.h"

#include "environment/programstate.h"
#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/settingsstore.h"

namespace corvane {

bool CheckFSPath(std::string& sPath, Registry& registry, SettingsStore& settings, ProgramState& state) {
    sPath = hostfs::HostPath(sPath);
    if (sPath.ends_with(std::string(2, kSeparator))) return false;
    sPath = WithSeparator(sPath);
    if (!PathExists(sPath + std::string(kSimulatorProgram), true)) return false;

    const std::string registered = RegisteredFSFolder(registry);
    if (!PathExists(WithSeparator(registered) + std::string(kSimulatorProgram), true))
        SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue, FSFolderValue(registry, sPath));

    settings.setValue(kFsPathSetting, sPath);
    state.fsFolder = sPath;
    return true;
}

StartFolder InitialFSFolder(const Registry& registry, const SettingsStore& settings) {
    std::string folder = settings.value(kFsPathSetting);
    if (!folder.empty()) return {std::move(folder), false};
    return {WithSeparator(RegisteredFSFolder(registry)), true};
}

} // namespace corvane
