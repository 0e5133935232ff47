#include "platform/registry.h"

#include "platform/paths.h"

namespace corvane {

std::string GetRegString(const Registry& registry, std::string_view hive, std::string_view key,
                         std::string_view valueName) {
    return registry.read(hive, key, valueName);
}

bool SetRegString(Registry& registry, std::string_view hive, std::string_view key, std::string_view valueName,
                  std::string_view value) {
    return registry.write(hive, key, valueName, value);
}

std::string RegisteredFSFolder(const Registry& registry) {
    return registry.toHostPath(GetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue));
}

std::string FSFolderValue(const Registry& registry, const std::string& fsFolder) {
    const bool separator = fsFolder.size() > 1 && fsFolder.back() == kSeparator;
    return registry.toRegistryPath(separator ? fsFolder.substr(0, fsFolder.size() - 1) : fsFolder);
}

} // namespace corvane
