#include "platform/wineregistry.h"

#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/regfile.h"
#include "platform/regimport.h"
#include "platform/regtext.h"
#include "platform/textfile.h"
#include "platform/toolrunner.h"
#include "platform/utf8.h"

#include <cstring>
#include <ctime>
#include <filesystem>

namespace corvane {

namespace {

constexpr std::string_view kSoftware = "Software\\";

// Where key lies in system.reg: the classes-root hive is the machine's Software\Classes; in the view
// of 32-bit programs (wow) on a 64-bit prefix, the keys under Software lie below Wow6432Node.
std::string KeyInFile(std::string_view hive, std::string_view key, bool wow) {
    if (hive == kClassesRoot) return std::string(kSoftware) + "Classes\\" + std::string(key);
    if (wow && key.size() > kSoftware.size() && SameRegName(key.substr(0, kSoftware.size()), kSoftware))
        return std::string(kSoftware) + "Wow6432Node\\" + std::string(key.substr(kSoftware.size()));
    return std::string(key);
}

// Wine notes a prefix's architecture in the first lines of system.reg: "#arch=win64".
bool Is64BitFile(std::string_view text) {
    return text.substr(0, 1024).find("\n#arch=win64") != std::string_view::npos;
}

bool IsUtf8(std::string_view text) {
    std::string again;
    for (const char32_t c : CodePoints(text)) AppendUtf8(again, c);
    return again == text;
}

// The first line of a program's output.
std::string FirstLine(const std::string& output) {
    std::string line = output.substr(0, output.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// How long one of Wine's programs may take: a first start in a prefix may have to update it.
constexpr std::chrono::minutes kWineTimeLimit{2};

} // namespace

std::string WineRegistry::read(std::string_view hive, std::string_view key,
                               std::string_view valueName) const {
    // Wine's server holds the registry while any Wine program runs and writes system.reg only now and
    // then: where Wine can be run, it is asked.
    if (usesWine()) {
        const bool wow = is64Bit();
        WineValue found = exportedValue(hive, key, valueName, wow);
        if (found.ran && !found.value && wow) found = exportedValue(hive, key, valueName, false);
        if (found.ran) return found.value.value_or(std::string());
    }
    const std::string path = m_prefix.systemRegPath();
    if (path.empty()) return {};
    auto bytes = ReadFileBytes(path);
    if (!bytes) return {};
    const RegFile file(std::move(*bytes));
    if (Is64BitFile(file.text()))
        if (auto value = file.stringValue(KeyInFile(hive, key, true), valueName)) return *value;
    return file.stringValue(KeyInFile(hive, key, false), valueName).value_or(std::string());
}

bool WineRegistry::is64Bit() const {
    // Only the first lines are needed.
    std::uint64_t size = 0;
    const auto start = hostfs::ReadFileStart(m_prefix.systemRegPath(), 1024, &size, nullptr);
    return start && Is64BitFile(*start);
}

bool WineRegistry::usesWine() const {
    // wineboot leaves ".update-timestamp" in every prefix it sets up; Wine run on any other folder
    // would first turn it into a prefix of its own.
    return m_wine.runner && !m_prefix.folder().empty() &&
           PathExists(m_prefix.folder() + ".update-timestamp", true) &&
           PathExists(m_prefix.systemRegPath(), true);
}

bool WineRegistry::write(std::string_view hive, std::string_view key, std::string_view valueName,
                         std::string_view value) {
    m_lastWriteError.clear();
    // Only a prefix Wine has set up is written: a system.reg made here would be taken for its own.
    const std::string path = m_prefix.systemRegPath();
    if (path.empty() || !PathExists(path, true)) {
        m_lastWriteError = "There is no Wine registry ''" + path + "''.";
        return false;
    }
    if (!usesWine() || !writeThroughWine(hive, key, valueName, value)) writeFile(hive, key, valueName, value);
    return m_lastWriteError.empty();
}

void WineRegistry::writeFile(std::string_view hive, std::string_view key, std::string_view valueName,
                             std::string_view value) {
    const std::string path = m_prefix.systemRegPath();
    auto bytes = ReadFileBytes(path, &m_lastWriteError);
    if (!bytes) return;
    RegFile file(*bytes);
    file.setStringValue(KeyInFile(hive, key, Is64BitFile(*bytes)), valueName, value,
                        static_cast<std::int64_t>(std::time(nullptr)));
    if (file.text() != *bytes) SaveFileAtomically(path, file.text(), &m_lastWriteError);
}

std::optional<std::string> WineRegistry::runWine(const std::string& program,
                                                 const std::vector<std::string>& arguments, bool utf8Locale,
                                                 int* exitCode) const {
    ToolRunOptions options;
    std::string folder = m_prefix.folder();
    if (folder.size() > 1) folder.pop_back();
    options.environment = {{"WINEPREFIX", folder}, {"WINEDEBUG", "-all"}};
    // Wine takes the arguments and writes its output in the locale's character set.
    if (utf8Locale) options.environment.emplace_back("LC_ALL", "C.UTF-8");
    options.timeLimit = kWineTimeLimit;
    const ToolResult result = m_wine.runner->run(program, arguments, m_prefix.folder(), options);
    if (!result.started) return std::nullopt;
    *exitCode = result.stop == ToolStop::None ? result.exitCode : -1;
    return result.output + result.error;
}

std::string WineRegistry::tempFolder() const {
    // Wine's programs read and write their files in the prefix's own temporary folder.
    return FindPath(m_prefix.folder() + "drive_c/windows/temp").value_or(m_prefix.folder() + "drive_c");
}

WineRegistry::WineValue WineRegistry::exportedValue(std::string_view hive, std::string_view key,
                                                    std::string_view valueName, bool view32) const {
    int code = 0;
    hostfs::NewFile exported;
    if (!exported.create(tempFolder() + "/corvane-XXXXXX", "", &code) || !exported.finish(&code)) return {};
    std::vector<std::string> arguments = {"reg", "export", RegRootedKey(hive, key),
                                          m_prefix.toWindowsPath(exported.path()), "/y"};
    if (view32) arguments.push_back("/reg:32");
    int exitCode = 0;
    if (!runWine(m_wine.wine, arguments, false, &exitCode)) return {};
    // reg fails for a key that is not there.
    const auto bytes = exitCode == 0 ? ReadFileBytes(exported.path()) : std::nullopt;
    return {true, bytes ? RegExportedString(*bytes, valueName) : std::nullopt};
}

bool WineRegistry::writeThroughWine(std::string_view hive, std::string_view key, std::string_view valueName,
                                    std::string_view value) {
    const std::string temp = tempFolder();
    const std::string rootedKey = RegRootedKey(hive, key);
    const bool view32 = is64Bit();

    int code = 0;
    hostfs::NewFile import;
    if (!import.create(temp + "/corvane-XXXXXX", "", &code) ||
        !import.write(RegImportFile(rootedKey, valueName, value), &code) || !import.finish(&code)) {
        m_lastWriteError = "Could not write in ''" + temp + "'': " + std::strerror(code);
        return true;
    }
    int exitCode = 0;
    std::vector<std::string> arguments = {"reg", "import", m_prefix.toWindowsPath(import.path())};
    if (view32) arguments.push_back("/reg:32");
    const auto imported = runWine(m_wine.wine, arguments, false, &exitCode);
    if (!imported) return false; // Wine is not there after all: the file is all there is
    if (exitCode != 0) {
        m_lastWriteError = "Wine could not store the value: " + FirstLine(*imported);
        return true;
    }
    // Read back through Wine: the value must be in its registry now.
    const WineValue stored = exportedValue(hive, key, valueName, view32);
    if (!stored.ran || stored.value != value)
        m_lastWriteError =
            "Wine's registry does not hold the value that was stored in ''" + rootedKey + "''.";
    return true;
}

std::string WineRegistry::toHostPath(std::string_view registryPath) const {
    if (usesWine() && registryPath.size() >= 2 && registryPath[1] == ':' && IsUtf8(registryPath)) {
        int exitCode = 0;
        const auto output = runWine(m_wine.winepath, {"-u", std::string(registryPath)}, true, &exitCode);
        std::string path = output && exitCode == 0 ? FirstLine(*output) : std::string();
        if (!path.empty() && path.front() == kSeparator) {
            // winepath names a drive's folders through the prefix's drive links: followed here to
            // the folder itself, as the links' own translation gives it.
            const std::string drives = m_prefix.folder() + "dosdevices/";
            if (path.starts_with(drives) && path.size() >= drives.size() + 2 &&
                path[drives.size() + 1] == ':') {
                std::error_code error;
                const auto drive =
                    std::filesystem::canonical(path.substr(0, drives.size() + 2), error).string();
                if (error) return {};
                path = drive + path.substr(drives.size() + 2);
            }
            return FindPath(path).value_or(path);
        }
    }
    return m_prefix.toHostPath(registryPath);
}

std::string WineRegistry::toRegistryPath(std::string_view hostPath) const {
    if (usesWine() && !hostPath.empty() && IsUtf8(hostPath)) {
        std::error_code error;
        std::string absolute = std::filesystem::absolute(std::filesystem::path(hostPath), error).string();
        int exitCode = 0;
        const auto output = runWine(m_wine.winepath, {"-w", absolute}, true, &exitCode);
        const std::string path = output && exitCode == 0 ? FirstLine(*output) : std::string();
        if (path.size() >= 2 && path[1] == ':') return path;
    }
    return m_prefix.toWindowsPath(hostPath);
}

} // namespace corvane
