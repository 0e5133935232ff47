#include "simulatorregistration.h"

#include "platformtest.h"

#ifdef _WIN32
#include "platform/registry.h"
#include "platform/registrysettings.h"
#include "platform/systemregistry.h"
#include "platform/widetext.h"

#include <algorithm>
#include <optional>
#include <windows.h>
#else
#include "platform/registry.h"
#include "platform/wineregistry.h"
#include "testprefix.h"
#endif

namespace corvane::test {

#ifdef _WIN32

namespace {

constexpr const char* kSettings[] = {"FS2002 Path", "Tool Time Limit Minutes", "Turnaround Minutes"};

// A string value of a key, or nullopt when it is not there.
std::optional<std::wstring> ReadValue(HKEY root, const std::string& key, std::string_view name, REGSAM view) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, WideOf(key).c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t data[4096];
    DWORD size = sizeof data;
    const LSTATUS status =
        ::RegGetValueW(opened, nullptr, WideOf(name).c_str(), RRF_RT_REG_SZ, nullptr, data, &size);
    ::RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(data);
}

void WriteValue(HKEY root, const std::string& key, std::string_view name,
                const std::optional<std::wstring>& value, REGSAM view) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(root, WideOf(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &opened,
                          nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        ::RegSetValueExW(opened, WideOf(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(value->c_str()),
                         static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    else
        ::RegDeleteValueW(opened, WideOf(name).c_str());
    ::RegCloseKey(opened);
}

constexpr REGSAM kSimulatorView = KEY_WOW64_32KEY;

} // namespace

struct SimulatorRegistration::Saved {
    std::optional<std::wstring> exePath;
    std::vector<std::optional<std::wstring>> settings;
    std::string settingsKey = RegistrySettingsStore().userKey();
};

SimulatorRegistration::SimulatorRegistration(const TempDir& dir)
    : m_dir(dir)
    , m_driveC(dir.mkdir("prefix/drive_c"))
    , m_saved(std::make_unique<Saved>()) {
    m_saved->exePath =
        ReadValue(HKEY_LOCAL_MACHINE, std::string(kSimulatorKey), kExePathValue, kSimulatorView);
    for (const char* name : kSettings) {
        m_saved->settings.push_back(ReadValue(HKEY_CURRENT_USER, m_saved->settingsKey, name, 0));
        WriteValue(HKEY_CURRENT_USER, m_saved->settingsKey, name, std::nullopt, 0);
    }
}

SimulatorRegistration::~SimulatorRegistration() {
    WriteValue(HKEY_LOCAL_MACHINE, std::string(kSimulatorKey), kExePathValue, m_saved->exePath,
               kSimulatorView);
    for (std::size_t i = 0; i < std::size(kSettings); ++i)
        WriteValue(HKEY_CURRENT_USER, m_saved->settingsKey, kSettings[i], m_saved->settings[i], 0);
}

std::string SimulatorRegistration::windowsPath(std::string_view pathOnC) const {
    std::string value(pathOnC);
    if (value.size() >= 3 && (value[0] == 'C' || value[0] == 'c') && value.substr(1, 2) == ":\\") {
        std::string driveC = m_driveC;
        std::replace(driveC.begin(), driveC.end(), '/', '\\');
        value = driveC + value.substr(3);
    }
    return value;
}

void SimulatorRegistration::registerFolder(std::string_view windowsPath) {
    const std::string value = this->windowsPath(windowsPath);
    WriteValue(HKEY_LOCAL_MACHINE, std::string(kSimulatorKey), kExePathValue,
               value.empty() ? std::nullopt : std::optional<std::wstring>(WideOf(value)), kSimulatorView);
}

std::string SimulatorRegistration::registeredValue() const {
    return SystemRegistry()->read(kLocalMachine, kSimulatorKey, kExePathValue);
}

void SimulatorRegistration::setUserSetting(std::string_view key, const std::string& value) {
    WriteValue(HKEY_CURRENT_USER, m_saved->settingsKey, key,
               value.empty() ? std::nullopt : std::optional<std::wstring>(WideOf(value)), 0);
}

void SimulatorRegistration::forgetRegistry() {
    registerFolder("");
}

std::vector<std::pair<std::string, std::string>> SimulatorRegistration::environment() const {
    return {};
}

#else

struct SimulatorRegistration::Saved {
    explicit Saved(const std::string& settingsFolder)
        : settings("XDG_CONFIG_HOME", settingsFolder) {}
    ScopedEnv settings;
};

namespace {

// system.reg's form of a text: backslashes and quotes escaped by a backslash.
std::string RegQuoted(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

} // namespace

SimulatorRegistration::SimulatorRegistration(const TempDir& dir)
    : m_dir(dir)
    , m_saved(std::make_unique<Saved>(dir.file("config"))) {
    const TestPrefix prefix = MakeTestPrefix(dir);
    m_driveC = prefix.driveC;
    m_prefix = prefix.folder;
}

SimulatorRegistration::~SimulatorRegistration() = default;

void SimulatorRegistration::registerFolder(std::string_view windowsPath) {
    std::string text(kFreshSystemReg);
    text += "\n[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n";
    if (!windowsPath.empty()) text += "\"EXE Path\"=\"" + RegQuoted(windowsPath) + "\"\n";
    TempDir::writeFile(m_prefix + "system.reg", text);
}

void SimulatorRegistration::forgetRegistry() {
    m_prefix = m_dir.file("no-prefix/");
}

std::string SimulatorRegistration::windowsPath(std::string_view pathOnC) const {
    return std::string(pathOnC);
}

std::string SimulatorRegistration::registeredValue() const {
    return WineRegistry(WinePrefix(m_prefix)).read(kLocalMachine, kSimulatorKey, kExePathValue);
}

void SimulatorRegistration::setUserSetting(std::string_view key, const std::string& value) {
    std::erase_if(m_userSettings, [&](const auto& setting) { return setting.first == key; });
    if (!value.empty()) m_userSettings.emplace_back(key, value);
    // Qt's INI form: the group "General" as "[%General]", blanks in names as "%20".
    std::string text = "[%General]\n";
    for (const auto& [name, stored] : m_userSettings) {
        std::string escaped;
        for (const char c : name) escaped += c == ' ' ? std::string("%20") : std::string(1, c);
        text += escaped + "=" + stored + "\n";
    }
    TempDir::writeFile(m_dir.file("config/Corvane/Corvane.conf"), text);
}

std::vector<std::pair<std::string, std::string>> SimulatorRegistration::environment() const {
    return {{"WINEPREFIX", m_prefix}};
}

#endif

} // namespace corvane::test
