#include "memoryregistry.h"

#include "traffic/text.h"

namespace corvane::test {

std::string MemoryRegistry::Name(std::string_view hive, std::string_view key, std::string_view valueName) {
    // Any hive other than "CR" is the local-machine hive; names ignore case.
    return std::string(hive == kClassesRoot ? "CR" : "LM") + "|" + Upper(key) + "|" + Upper(valueName);
}

std::string MemoryRegistry::read(std::string_view hive, std::string_view key,
                                 std::string_view valueName) const {
    const auto it = m_values.find(Name(hive, key, valueName));
    return it == m_values.end() ? std::string() : it->second;
}

bool MemoryRegistry::write(std::string_view hive, std::string_view key, std::string_view valueName,
                           std::string_view value) {
    ++m_writes;
    m_lastError = m_refusal;
    if (!m_lastError.empty()) return false;
    m_values[Name(hive, key, valueName)] = std::string(value);
    return true;
}

std::string MemorySettings::value(std::string_view key) const {
    const auto it = m_values.find(key);
    return it == m_values.end() ? std::string() : it->second;
}

void MemorySettings::setValue(std::string_view key, std::string_view value) {
    ++m_writes;
    m_values[std::string(key)] = std::string(value);
}

} // namespace corvane::test
