#pragma once
// A Wine prefix made by a test inside its TempDir, as Wine would leave it: a drive_c folder, the drive
// links of dosdevices ("c:" -> "../drive_c" and, unless left out, "z:" -> "/") and a system.reg.

#include "tempdir.h"

#include <string>
#include <string_view>

namespace corvane::test {

// The start of a fresh system.reg: Wine's header lines and one key.
extern const std::string_view kFreshSystemReg;

struct TestPrefix {
    std::string folder;    // the prefix, ending in the separator
    std::string driveC;    // its drive_c folder, ending in the separator
    std::string systemReg; // the path of system.reg
};

TestPrefix MakeTestPrefix(const TempDir& dir, std::string_view systemReg = kFreshSystemReg,
                          bool withDriveZ = true);

} // namespace corvane::test
