#pragma once
// The program-wide state that lives for the whole run, owned by the main window.

#include <string>
#include <string_view>

namespace corvane {

struct ProgramState {
    // The program's own folder, ending in the separator: the tools, apt.dat, the scratch text files
    // and TempData live here.
    std::string programFolder;
    // The simulator's main folder, ending in the separator once validated.
    std::string fsFolder;
    // True when the installed Traffic.bgl must be decompiled again before it is opened.
    bool decompileNeeded = true;
    // "new", "fs" or the full path of the open project file.
    std::string projectTag = "new";
};

inline constexpr std::string_view kProjectNew = "new";
inline constexpr std::string_view kProjectFs = "fs";

// The folder of the program file at executablePath, ending in the separator.
std::string ProgramFolderOf(std::string_view executablePath);

// The folder of the running program as the system names it (its bytes as they are, whatever their
// encoding; UTF-8 on Windows), ending in the separator; from argv0 when the system cannot tell.
std::string RunningProgramFolder(const char* argv0);

} // namespace corvane
