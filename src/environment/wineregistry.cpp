#include "environment/wineregistry.h"

#include "environment/regfile.h"
#include "traffic/textfile.h"

#include <ctime>

namespace corvane {

namespace {

std::string KeyInFile(std::string_view hive, std::string_view key) {
    if (hive == kClassesRoot) return "Software\\Classes\\" + std::string(key);
    return std::string(key);
}

} // namespace

std::string WineRegistry::read(std::string_view hive, std::string_view key,
                               std::string_view valueName) const {
    const std::string path = m_prefix.systemRegPath();
    if (path.empty()) return {};
    auto bytes = ReadFileBytes(path);
    if (!bytes) return {};
    return RegFile(std::move(*bytes)).stringValue(KeyInFile(hive, key), valueName).value_or(std::string());
}

void WineRegistry::write(std::string_view hive, std::string_view key, std::string_view valueName,
                         std::string_view value) {
    // Only a prefix Wine has set up is written: a system.reg made here would be taken for its own.
    const std::string path = m_prefix.systemRegPath();
    if (path.empty()) return;
    auto bytes = ReadFileBytes(path);
    if (!bytes) return;
    RegFile file(*bytes);
    file.setStringValue(KeyInFile(hive, key), valueName, value,
                        static_cast<std::int64_t>(std::time(nullptr)));
    if (file.text() != *bytes) SaveFileAtomically(path, file.text());
}

std::string WineRegistry::toHostPath(std::string_view registryPath) const {
    return m_prefix.toHostPath(registryPath);
}

std::string WineRegistry::toRegistryPath(std::string_view hostPath) const {
    return m_prefix.toWindowsPath(hostPath);
}

} // namespace corvane
