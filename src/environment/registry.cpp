#include "environment/registry.h"

namespace corvane {

std::string GetRegString(const Registry& registry, std::string_view hive, std::string_view key,
                         std::string_view valueName) {
    return registry.read(hive, key, valueName);
}

void SetRegString(Registry& registry, std::string_view hive, std::string_view key, std::string_view valueName,
                  std::string_view value) {
    registry.write(hive, key, valueName, value);
}

std::string RegisteredFSFolder(const Registry& registry) {
    return registry.toHostPath(GetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue));
}

} // namespace corvane
