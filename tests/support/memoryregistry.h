#pragma once
// Fakes of the registry and the settings store that keep their values in memory and count writes.
// The registry's paths are host paths (no translation), as on a system whose registry shares them.

#include "platform/registry.h"
#include "platform/settingsstore.h"

#include <map>
#include <string>

namespace corvane::test {

class MemoryRegistry final : public Registry {
public:
    std::string read(std::string_view hive, std::string_view key, std::string_view valueName) const override;
    bool write(std::string_view hive, std::string_view key, std::string_view valueName,
               std::string_view value) override;
    std::string lastWriteError() const override { return m_lastError; }
    int writeCount() const { return m_writes; }
    // Writes from the next one on are refused with this reason, as a registry without write rights
    // refuses them ("" takes writes again).
    void refuseWrites(std::string reason) { m_refusal = std::move(reason); }

private:
    static std::string Name(std::string_view hive, std::string_view key, std::string_view valueName);
    std::map<std::string, std::string> m_values;
    int m_writes = 0;
    std::string m_refusal;
    std::string m_lastError;
};

class MemorySettings final : public SettingsStore {
public:
    std::string value(std::string_view key) const override;
    void setValue(std::string_view key, std::string_view value) override;
    int writeCount() const { return m_writes; }

private:
    std::map<std::string, std::string, std::less<>> m_values;
    int m_writes = 0;
};

} // namespace corvane::test
