#pragma once
// The checks that start-up makes before the main window appears. Each failure ends the program with
// its message; the first failure is the one shown.

#include "traffic/prompts.h"

#include <optional>
#include <string>

namespace corvane {

inline constexpr const char* kAlreadyRunningTitle = "Brasswick";
inline constexpr const char* kAlreadyRunningText = "Corvane - FS2002 is already running!";

// The program folder must be writable (the tools and their scratch files live there), and must hold
// tcompiler.exe, tdecompiler.exe and apt.dat (names matched without regard to case), checked in that
// order. Returns the message of the first failure. A writable program folder is rid of the temporary
// files that killed runs left there.
std::optional<Prompt> CheckProgramFolder(const std::string& programFolder);

} // namespace corvane
