// The Windows registry and the per-user settings in it, as the program on Windows and its Qt build
// keep them. Built for Windows only; under Wine the registry is the prefix's.

#include "environment/fsfolder.h"
#include "environment/programstate.h"
#include "platform/registry.h"
#include "platform/registrysettings.h"
#include "platform/systemregistry.h"
#include "platform/usersettings.h"
#include "platform/widetext.h"
#include "simulatorregistration.h"
#include "tempdir.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <windows.h>

using namespace corvane;
using corvane::test::TempDir;

namespace {

// "C:\Πτήσεις 飛行機\FS2002" as UTF-8.
const std::string kGreekAndJapanese = "C:\\\xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82 "
                                      "\xE9\xA3\x9B\xE8\xA1\x8C\xE6\xA9\x9F\\FS2002";

// The raw data and type of a value, read past every layer of the program.
struct RawValue {
    DWORD type = REG_NONE;
    std::wstring text;
    bool found = false;
};

RawValue ReadRaw(HKEY root, const std::string& key, std::string_view name, REGSAM view = 0) {
    RawValue raw;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, WideOf(key).c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
        return raw;
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    raw.found = ::RegQueryValueExW(opened, WideOf(name).c_str(), nullptr, &raw.type,
                                   reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
    ::RegCloseKey(opened);
    raw.text.assign(data, size / sizeof(wchar_t));
    return raw;
}

void WriteRaw(HKEY root, const std::string& key, std::string_view name, DWORD type, const void* data,
              DWORD size) {
    HKEY opened = nullptr;
    ASSERT_EQ(
        ::RegCreateKeyExW(root, WideOf(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
        ERROR_SUCCESS);
    ::RegSetValueExW(opened, WideOf(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(opened);
}

// An organisation of the test's own, so that the program's own settings are never touched; removed
// with everything in it at the end.
struct TestOrganisation {
    std::string name = "Corvane Test " + std::to_string(::GetCurrentProcessId());
    ~TestOrganisation() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, WideOf("Software\\" + name).c_str());
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, WideOf("Software\\" + name).c_str());
    }
};

} // namespace

TEST(WindowsRegistry, theSimulatorValueRoundTripsInThe32BitView) {
    TempDir dir;
    test::SimulatorRegistration registration(dir); // puts back what was there
    const auto registry = SystemRegistry();
    SetRegString(*registry, kLocalMachine, kSimulatorKey, kExePathValue, kGreekAndJapanese);
    EXPECT_EQ(GetRegString(*registry, kLocalMachine, kSimulatorKey, kExePathValue), kGreekAndJapanese);

    // Where 32-bit programs (the simulator, the real tools) see it: a string value, in UTF-16.
    const RawValue raw =
        ReadRaw(HKEY_LOCAL_MACHINE, std::string(kSimulatorKey), kExePathValue, KEY_WOW64_32KEY);
    ASSERT_TRUE(raw.found);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.text, WideOf(kGreekAndJapanese) + L'\0');

    // Paths: the registry's backslashes are "/" on this side, and back.
    EXPECT_EQ(RegisteredFSFolder(*registry), "C:/\xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82 "
                                             "\xE9\xA3\x9B\xE8\xA1\x8C\xE6\xA9\x9F/FS2002");
    EXPECT_EQ(registry->toRegistryPath("D:/Games/FS2002"), "D:\\Games\\FS2002");

    // A value longer than the 255 characters of old, and a missing one.
    const std::string longPath = "C:\\" + std::string(400, 'x');
    registry->write(kLocalMachine, kSimulatorKey, kExePathValue, longPath);
    EXPECT_EQ(registry->read(kLocalMachine, kSimulatorKey, kExePathValue), longPath);
    EXPECT_EQ(registry->read(kLocalMachine, kSimulatorKey, "No Such Value"), "");
    EXPECT_EQ(registry->read(kLocalMachine, "SOFTWARE\\No Such Key\\Corvane", kExePathValue), "");
}

TEST(WindowsRegistry, checkFSPathRepairsTheValueWithTheWindowsPath) {
    TempDir dir;
    test::SimulatorRegistration registration(dir);
    registration.registerFolder("");
    const std::string folder = dir.write("prefix/drive_c/Games/FS2002/fs2002.exe", "MZ");
    const auto registry = SystemRegistry();
    RegistrySettingsStore settings(RegistrySettingsStore::Writes::Ignore);
    ProgramState state;
    // Typed as a Windows user types it.
    std::string typed = registration.windowsPath("C:\\Games\\FS2002");
    ASSERT_TRUE(CheckFSPath(typed, *registry, settings, state));
    EXPECT_EQ(state.fsFolder, dir.path() + "prefix/drive_c/Games/FS2002/");
    EXPECT_EQ(registration.registeredValue(), registration.windowsPath("C:\\Games\\FS2002"));
    (void)folder;
}

TEST(WindowsSettings, storedWhereQSettingsKeepsThem) {
    const TestOrganisation organisation;
    RegistrySettingsStore store(RegistrySettingsStore::Writes::Keep, organisation.name);
    const std::string key = "Software\\" + organisation.name + "\\Corvane\\General";
    EXPECT_EQ(store.userKey(), key);

    const std::string folder = "C:/\xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82/FS2002/";
    store.setValue(kFsPathSetting, folder);
    store.setValue(kToolTimeLimitSetting, "25");
    store.setValue(kTurnaroundSetting, "@odd");
    EXPECT_EQ(store.value(kFsPathSetting), folder);
    EXPECT_EQ(store.value(kToolTimeLimitSetting), "25");
    EXPECT_EQ(store.value(kTurnaroundSetting), "@odd");
    EXPECT_EQ(store.value("Not There"), "");

    // The raw values: strings (REG_SZ) named as the settings, "@" doubled as QSettings escapes it.
    RawValue raw = ReadRaw(HKEY_CURRENT_USER, key, "FS2002 Path");
    ASSERT_TRUE(raw.found);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.text, WideOf(folder) + L'\0');
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, "Tool Time Limit Minutes").text, std::wstring(L"25") + L'\0');
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, "Turnaround Minutes").text, std::wstring(L"@@odd") + L'\0');

    // What QSettings writes for other types reads as the program needs it.
    const std::int32_t minutes = 45;
    WriteRaw(HKEY_CURRENT_USER, key, "Turnaround Minutes", REG_DWORD, &minutes, sizeof minutes);
    EXPECT_EQ(store.value(kTurnaroundSetting), "45");
    const std::wstring bytes = L"@ByteArray(/home/\u00e9t\u00e9)";
    WriteRaw(HKEY_CURRENT_USER, key, "Bytes", REG_SZ, bytes.c_str(),
             static_cast<DWORD>((bytes.size() + 1) * 2));
    EXPECT_EQ(store.value("Bytes"), "/home/\xE9t\xE9");
    const std::wstring list = std::wstring(L"a\0b\0\0", 5);
    WriteRaw(HKEY_CURRENT_USER, key, "List", REG_MULTI_SZ, list.data(), static_cast<DWORD>(list.size() * 2));
    EXPECT_EQ(store.value("List"), "") << "a list is no setting of Corvane's";
    // Bytes that are not UTF-8 go in as a byte array and come back as they were.
    store.setValue("Bytes", "/home/\xE9t\xE9");
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, "Bytes").text, bytes + L'\0');
    EXPECT_EQ(store.value("Bytes"), "/home/\xE9t\xE9");
}

TEST(WindowsSettings, readsFallBackAsQSettingsDoesAndTheCommandLineOnlyReads) {
    const TestOrganisation organisation;
    // The organisation's defaults, then the machine's.
    const std::wstring machine = L"C:/Machine/FS2002/";
    WriteRaw(HKEY_LOCAL_MACHINE, "Software\\" + organisation.name + "\\Corvane\\General", "FS2002 Path",
             REG_SZ, machine.c_str(), static_cast<DWORD>((machine.size() + 1) * 2));
    RegistrySettingsStore store(RegistrySettingsStore::Writes::Keep, organisation.name);
    EXPECT_EQ(store.value(kFsPathSetting), "C:/Machine/FS2002/");
    const std::wstring defaults = L"C:/Defaults/FS2002/";
    WriteRaw(HKEY_CURRENT_USER, "Software\\" + organisation.name + "\\OrganizationDefaults\\General",
             "FS2002 Path", REG_SZ, defaults.c_str(), static_cast<DWORD>((defaults.size() + 1) * 2));
    EXPECT_EQ(store.value(kFsPathSetting), "C:/Defaults/FS2002/");
    store.setValue(kFsPathSetting, "C:/User/FS2002/");
    EXPECT_EQ(store.value(kFsPathSetting), "C:/User/FS2002/");

    // A store that ignores writes changes nothing.
    RegistrySettingsStore reader(RegistrySettingsStore::Writes::Ignore, organisation.name);
    reader.setValue(kFsPathSetting, "C:/Other/");
    EXPECT_EQ(reader.value(kFsPathSetting), "C:/User/FS2002/");
    EXPECT_EQ(store.value(kFsPathSetting), "C:/User/FS2002/");

    // corvane-cli reads the program's own settings (those of "Corvane"), never writing them.
    TempDir dir;
    test::SimulatorRegistration registration(dir); // sets the program's settings aside
    registration.setUserSetting(kFsPathSetting, "C:/Program/FS2002/");
    const auto settings = UserSettingsForReading();
    EXPECT_EQ(settings->value(kFsPathSetting), "C:/Program/FS2002/");
    settings->setValue(kFsPathSetting, "C:/Changed/");
    EXPECT_EQ(RegistrySettingsStore().value(kFsPathSetting), "C:/Program/FS2002/");
}
