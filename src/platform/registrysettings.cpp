#include "platform/registrysettings.h"

#include "platform/qtsettingstext.h"
#include "platform/utf8.h"
#include "platform/widetext.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>
#include <windows.h>

namespace corvane {

namespace {

constexpr std::string_view kGroup = "General";

std::u32string CodePointsOf(std::wstring_view wide) {
    const std::vector<char32_t> points = CodePoints(Utf8OfWide(wide));
    return {points.begin(), points.end()};
}

// The value name in the key as QSettings reads it, or nullopt when it is not there.
std::optional<std::string> ReadValue(HKEY root, const std::string& key, std::string_view name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, WideOf(key).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName = WideOf(name);
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> data;
    LSTATUS status = ::RegQueryValueExW(opened, valueName.c_str(), nullptr, &type, nullptr, &size);
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.assign(size + sizeof(wchar_t), 0); // room for a missing terminating NUL
        size = static_cast<DWORD>(data.size());
        status = ::RegQueryValueExW(opened, valueName.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) break;
    }
    ::RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);

    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        // The string ends at its first NUL.
        text.resize(std::wcslen(text.c_str()));
        return QtSettingsValue(CodePointsOf(text));
    case REG_NONE:
    case REG_BINARY:
        // QSettings' form for a text that holds NUL characters.
        return QtSettingsValue(CodePointsOf(text));
    case REG_DWORD:
        if (data.size() == sizeof(std::int32_t)) {
            std::int32_t number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return std::to_string(number);
        }
        return std::string();
    case REG_QWORD:
        if (data.size() == sizeof(std::int64_t)) {
            std::int64_t number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            return std::to_string(number);
        }
        return std::string();
    default:
        return std::string(); // a list or another type: no setting of Corvane's
    }
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(Writes writes, std::string_view organisation,
                                             std::string_view application)
    : m_writes(writes)
    , m_userKey("Software\\" + std::string(organisation) + "\\" + std::string(application) + "\\" +
                std::string(kGroup))
    , m_organisationKey("Software\\" + std::string(organisation) + "\\OrganizationDefaults\\" +
                        std::string(kGroup)) {}

std::string RegistrySettingsStore::value(std::string_view key) const {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::string* path : {&m_userKey, &m_organisationKey}) {
            if (auto found = ReadValue(root, *path, key)) return *found;
        }
    }
    return {};
}

void RegistrySettingsStore::setValue(std::string_view key, std::string_view value) {
    if (m_writes == Writes::Ignore) return;
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, WideOf(m_userKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring data = WideOf(QtSettingsText(value));
    // As QSettings: a string, unless it holds a NUL character, which a string value cannot.
    const bool binary = data.find(L'\0') != std::wstring::npos;
    ::RegSetValueExW(opened, WideOf(key).c_str(), 0, binary ? REG_BINARY : REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + (binary ? 0 : 1)) * sizeof(wchar_t)));
    ::RegFlushKey(opened);
    ::RegCloseKey(opened);
}

} // namespace corvane
