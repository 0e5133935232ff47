#pragma once
// The stand-in traffic tools, run as real processes, installed for a ProjectFixture: the programs in its
// program folder, and a Wine prefix whose registry names its simulator folder (the tools find the
// simulator through it; the session reaches it through registry). WINEPREFIX points at that prefix
// while this object lives.

#include "platform/qt/qttoolrunner.h"
#include "platform/registry.h"
#include "platform/wineregistry.h"
#include "projectfixture.h"
#include "testprefix.h"

#include <cstdlib>
#include <filesystem>

namespace corvane::test {

struct StandInTools {
    TestPrefix prefix;
    WineRegistry registry;
    QtToolRunner runner;

    explicit StandInTools(ProjectFixture& f)
        : prefix(MakeTestPrefix(f.dir))
        , registry(WinePrefix(prefix.folder)) {
        std::filesystem::copy_file(TCOMPILER_PATH, f.session.state.programFolder + "TCompiler.exe");
        std::filesystem::copy_file(TDECOMPILER_PATH, f.session.state.programFolder + "TDecompiler.exe");
        f.dir.write("FS2002/fs2002.exe", "MZ");
        SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue,
                     FSFolderValue(registry, f.session.state.fsFolder));
        ::setenv("WINEPREFIX", prefix.folder.c_str(), 1);
        f.session.tools = &runner;
        f.session.registry = &registry;
    }
    ~StandInTools() { ::unsetenv("WINEPREFIX"); }
    StandInTools(const StandInTools&) = delete;
    StandInTools& operator=(const StandInTools&) = delete;
};

} // namespace corvane::test
