// The parts of the host's file system that are the same on every system.

#include "platform/hostfs.h"

#include <utility>

namespace corvane::hostfs {

std::optional<std::string> ReadRegularFile(const std::string& path, int* error, bool* opened) {
    std::uint64_t size = 0;
    return ReadFileStart(path, std::string::npos, &size, error, opened);
}

namespace {

// The folder above path ("" when there is none to make).
std::string ParentOf(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return {};
    return path.substr(0, slash);
}

} // namespace

bool MakeFolders(const std::string& path, int* error) {
    if (KindOf(path) == Kind::Folder) return true;
    const std::string parent = ParentOf(path);
    if (!parent.empty() && KindOf(parent) != Kind::Folder && !MakeFolders(parent, error)) return false;
    int code = 0;
    if (MakeFolder(path, &code) || KindOf(path) == Kind::Folder) return true;
    if (error) *error = code;
    return false;
}

void RemoveTree(const std::string& path) {
    switch (KindOf(path, false)) {
    case Kind::Missing:
        return;
    case Kind::Folder:
        for (const std::string& name : FolderNames(path)) RemoveTree(path + "/" + name);
        RemoveFolder(path);
        return;
    case Kind::Link:
        // A link to a folder is a folder of its own on Windows.
        RemoveFile(path);
        if (KindOf(path, false) != Kind::Missing) RemoveFolder(path);
        return;
    case Kind::File:
    case Kind::Other:
        RemoveFile(path);
        return;
    }
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
