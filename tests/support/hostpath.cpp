#include "hostpath.h"

#include <algorithm>

namespace corvane::test {

#ifdef _WIN32
std::filesystem::path FsPath(const std::string& hostPath) {
    return std::filesystem::path(std::u8string(hostPath.begin(), hostPath.end()));
}

std::string HostPathOf(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}
#else
std::filesystem::path FsPath(const std::string& hostPath) {
    return std::filesystem::path(hostPath);
}

std::string HostPathOf(const std::filesystem::path& path) {
    return path.string();
}
#endif

} // namespace corvane::test
