#pragma once
// A real Wine for the tests of this program: a fresh prefix that wineboot sets up once, in a temporary
// folder, named by WINEPREFIX (with WINEDEBUG=-all) while the tests run; a simulator installation in
// its drive_c, registered by Wine's own reg program as FS2002's 32-bit installer would; and a program
// folder holding the Windows builds of the stand-in tools, the airport list, and nothing native.

#include "platform/nativetoolrunner.h"
#include "tempdir.h"

#include <string>
#include <vector>

namespace corvane::test {

struct RealWine {
    TempDir dir;
    std::string prefix;   // ending in the separator
    std::string driveC;   // the prefix's drive_c, ending in the separator
    std::string fsFolder; // drive_c/Flight Simulator 2002/
    std::string program;  // the program folder, ending in the separator
    std::string trafficBgl;
    // The traffic.bgl the installation started with, built by the Windows compiler.
    std::string original;
    NativeToolRunner runner;

    // The one of this test program, set up before the first test.
    static RealWine& get();

    // Runs a program (wine, wineserver, winepath, ...) with the prefix's environment in folder (the
    // prefix when empty); fails the test when it cannot be started.
    ToolResult run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder = {});
    // Sets a string value of HKEY_LOCAL_MACHINE in the view of 32-bit programs with wine reg add.
    void regAdd(const std::string& key, const std::string& name, const std::string& value);
    // Waits until every Wine program of the prefix has ended and its server has saved the registry.
    void waitForServer();
};

} // namespace corvane::test
