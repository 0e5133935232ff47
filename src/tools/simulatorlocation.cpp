#include "tools/simulatorlocation.h"

#include "environment/fsfolder.h"
#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/registry.h"

#include <cstring>

namespace corvane {

namespace {

std::string TrafficBglPath(const std::string& fsFolder) {
    return WithSeparator(fsFolder) + std::string(kSceneryFolder) + "/" + std::string(kTrafficBglName);
}

} // namespace

std::optional<std::string> LocateSimulator(const Registry& registry, std::string* error) {
    const std::string value = GetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue);
    const std::string folder = registry.toHostPath(value);
    if (!value.empty() && !folder.empty() &&
        PathExists(WithSeparator(folder) + std::string(kSimulatorProgram), true))
        return WithSeparator(folder);
    if (error) {
        *error = value.empty() ? "no FS2002 installation found: the registry holds no \"EXE Path\" value"
                               : "no FS2002 installation found: \"" + value + "\" holds no fs2002.exe";
    }
    return std::nullopt;
}

std::optional<std::string> FindTrafficBgl(const std::string& fsFolder) {
    const auto found = FindPath(TrafficBglPath(fsFolder));
    if (!found || !PathExists(*found, true)) return std::nullopt;
    return found;
}

std::optional<std::string> TrafficBglForWriting(const std::string& fsFolder, std::string* error) {
    if (auto existing = FindTrafficBgl(fsFolder)) return existing;
    std::string folder = WithSeparator(fsFolder);
    std::string_view rest = kSceneryFolder;
    while (!rest.empty()) {
        const auto slash = rest.find(kSeparator);
        const std::string name(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        const auto found = FindPath(folder + name);
        if (found && PathExists(*found, false)) {
            folder = WithSeparator(*found);
            continue;
        }
        folder += name;
        int code = 0;
        if (!hostfs::MakeFolder(folder, &code)) {
            if (error) *error = "could not create the folder '" + folder + "': " + std::strerror(code);
            return std::nullopt;
        }
        folder = WithSeparator(folder);
    }
    return folder + std::string(kTrafficBglName);
}

} // namespace corvane
