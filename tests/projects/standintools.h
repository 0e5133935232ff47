#pragma once
// The stand-in traffic tools, run as real processes, installed for a ProjectFixture: the programs in its
// program folder, and a Wine prefix whose registry names its simulator folder (the tools find the
// simulator through it). WINEPREFIX points at that prefix while this object lives.

#include "environment/qt/qttoolrunner.h"
#include "environment/registry.h"
#include "environment/wineregistry.h"
#include "projectfixture.h"
#include "testprefix.h"

#include <cstdlib>
#include <filesystem>

namespace corvane::test {

struct StandInTools {
    TestPrefix prefix;
    QtToolRunner runner;

    explicit StandInTools(ProjectFixture& f) {
        std::filesystem::copy_file(TCOMPILER_PATH, f.session.state.programFolder + "TCompiler.exe");
        std::filesystem::copy_file(TDECOMPILER_PATH, f.session.state.programFolder + "TDecompiler.exe");
        f.dir.write("FS2002/fs2002.exe", "MZ");
        prefix = MakeTestPrefix(f.dir);
        WineRegistry registry{WinePrefix(prefix.folder)};
        const std::string& fsFolder = f.session.state.fsFolder;
        SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue,
                     registry.toRegistryPath(fsFolder.substr(0, fsFolder.size() - 1)));
        ::setenv("WINEPREFIX", prefix.folder.c_str(), 1);
        f.session.tools = &runner;
    }
    ~StandInTools() { ::unsetenv("WINEPREFIX"); }
    StandInTools(const StandInTools&) = delete;
    StandInTools& operator=(const StandInTools&) = delete;
};

} // namespace corvane::test
