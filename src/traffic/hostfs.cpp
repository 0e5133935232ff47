// The parts of the host's file system that are the same on every system.

#include "traffic/hostfs.h"

#include <utility>

namespace corvane::hostfs {

std::optional<std::string> ReadRegularFile(const std::string& path, int* error, bool* opened) {
    std::uint64_t size = 0;
    return ReadFileStart(path, std::string::npos, &size, error, opened);
}

NewFile::NewFile(NewFile&& other) noexcept
    : m_path(std::exchange(other.m_path, {}))
    , m_handle(std::exchange(other.m_handle, -1)) {}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
    if (this != &other) {
        discard();
        m_path = std::exchange(other.m_path, {});
        m_handle = std::exchange(other.m_handle, -1);
    }
    return *this;
}

} // namespace corvane::hostfs
