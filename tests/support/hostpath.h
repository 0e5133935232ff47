#pragma once
// std::filesystem paths of the host paths the core speaks: on Windows UTF-8 (a narrow std::string would
// be taken in the ANSI code page), elsewhere the bytes as they are.

#include <filesystem>
#include <string>

namespace corvane::test {

std::filesystem::path FsPath(const std::string& hostPath);
// The host path of path; on Windows with "/" between names.
std::string HostPathOf(const std::filesystem::path& path);

} // namespace corvane::test
