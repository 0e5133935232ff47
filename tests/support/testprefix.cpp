#include "testprefix.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace corvane::test {

const std::string_view kFreshSystemReg = "WINE REGISTRY Version 2\n"
                                         ";; All keys relative to \\\\Machine\n"
                                         "\n"
                                         "#arch=win32\n"
                                         "\n"
                                         "[Software\\\\Wine] 1700000000\n"
                                         "#time=1da1c2b3d4e5f60\n"
                                         "\"Version\"=\"win2000\"\n";

TestPrefix MakeTestPrefix(const TempDir& dir, std::string_view systemReg, bool withDriveZ) {
    TestPrefix prefix;
    prefix.folder = dir.mkdir("prefix");
    prefix.driveC = dir.mkdir("prefix/drive_c");
    dir.mkdir("prefix/dosdevices");
    fs::create_directory_symlink("../drive_c", prefix.folder + "dosdevices/c:");
    if (withDriveZ) fs::create_directory_symlink("/", prefix.folder + "dosdevices/z:");
    prefix.systemReg = dir.write("prefix/system.reg", systemReg);
    return prefix;
}

} // namespace corvane::test
