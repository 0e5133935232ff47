// The Windows registry through its wide-character calls; texts are UTF-8 on this side. Keys are
// opened in the view of 32-bit programs (on 64-bit Windows, and in a 64-bit Wine prefix, the
// "Wow6432Node" branch), where the simulator's installer wrote them.

#include "environment/systemregistry.h"
#include "traffic/utf8.h"

#include <algorithm>
#include <windows.h>

namespace corvane {

namespace {

std::wstring Wide(std::string_view text) {
    const std::u16string units = Utf16Units(text);
    return std::wstring(units.begin(), units.end());
}

HKEY Hive(std::string_view hive) {
    return hive == kClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
}

class WindowsRegistry final : public Registry {
public:
    std::string read(std::string_view hive, std::string_view key, std::string_view valueName) const override {
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(Hive(hive), Wide(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened) !=
            ERROR_SUCCESS)
            return {};
        const std::wstring name = Wide(valueName);
        DWORD type = 0;
        DWORD size = 0;
        std::wstring data;
        LSTATUS status = ::RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            data.resize(size / sizeof(wchar_t) + 1);
            status = ::RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(data.data()), &size);
            data.resize(status == ERROR_SUCCESS ? size / sizeof(wchar_t) : 0);
        }
        ::RegCloseKey(opened);
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
        while (!data.empty() && data.back() == L'\0') data.pop_back();
        return Utf8OfUtf16(std::u16string(data.begin(), data.end()));
    }

    void write(std::string_view hive, std::string_view key, std::string_view valueName,
               std::string_view value) override {
        HKEY opened = nullptr;
        if (::RegCreateKeyExW(Hive(hive), Wide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                              nullptr, &opened, nullptr) != ERROR_SUCCESS)
            return;
        const std::wstring data = Wide(value);
        ::RegSetValueExW(opened, Wide(valueName).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        ::RegFlushKey(opened);
        ::RegCloseKey(opened);
    }

    // Host paths are Windows paths with "/" between names.
    std::string toHostPath(std::string_view registryPath) const override {
        std::string path(registryPath);
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }
    std::string toRegistryPath(std::string_view hostPath) const override {
        std::string path(hostPath);
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
};

} // namespace

std::unique_ptr<Registry> SystemRegistry() {
    return std::make_unique<WindowsRegistry>();
}

} // namespace corvane
