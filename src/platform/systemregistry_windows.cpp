// The Windows registry through its wide-character calls; texts are UTF-8 on this side. Keys are
// opened in the view of 32-bit programs (on 64-bit Windows, and in a 64-bit Wine prefix, the
// "Wow6432Node" branch), where the simulator's installer wrote them.

#include "platform/systemerror.h"
#include "platform/systemregistry.h"
#include "platform/widetext.h"

#include <algorithm>
#include <windows.h>

namespace corvane {

namespace {

HKEY Hive(std::string_view hive) {
    return hive == kClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
}

class WindowsRegistry final : public Registry {
public:
    std::string read(std::string_view hive, std::string_view key, std::string_view valueName) const override {
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(Hive(hive), WideOf(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened) !=
            ERROR_SUCCESS)
            return {};
        // A string value of any length; an expandable one comes with its variables expanded.
        const std::wstring name = WideOf(valueName);
        std::wstring data;
        DWORD size = 0;
        LSTATUS status =
            ::RegGetValueW(opened, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size);
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            data.assign(size / sizeof(wchar_t) + 1, L'\0');
            size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            status =
                ::RegGetValueW(opened, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &size);
            if (status == ERROR_SUCCESS) break;
        }
        ::RegCloseKey(opened);
        if (status != ERROR_SUCCESS) return {};
        data.resize(size / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') data.pop_back();
        return Utf8OfWide(data);
    }

    // The local-machine hive takes writes only from a program with an administrator's rights.
    bool write(std::string_view hive, std::string_view key, std::string_view valueName,
               std::string_view value) override {
        m_lastWriteError.clear();
        HKEY opened = nullptr;
        LSTATUS status = ::RegCreateKeyExW(Hive(hive), WideOf(key).c_str(), 0, nullptr, 0,
                                           KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &opened, nullptr);
        if (status == ERROR_SUCCESS) {
            const std::wstring data = WideOf(value);
            status = ::RegSetValueExW(opened, WideOf(valueName).c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(data.c_str()),
                                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
            ::RegFlushKey(opened);
            ::RegCloseKey(opened);
        }
        if (status != ERROR_SUCCESS)
            m_lastWriteError =
                "Windows did not store the value: " + SystemErrorText(static_cast<DWORD>(status));
        return status == ERROR_SUCCESS;
    }
    std::string lastWriteError() const override { return m_lastWriteError; }

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

private:
    std::string m_lastWriteError;
};

} // namespace

std::unique_ptr<Registry> SystemRegistry(ToolRunner*) {
    return std::make_unique<WindowsRegistry>();
}

} // namespace corvane
