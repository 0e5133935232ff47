#pragma once
// The work of the stand-in TCompiler.exe: the three text databases of a folder into the simulator's
// traffic file.

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kRealToolsAdvice =
    "The simulator cannot read what the stand-in tools write: to compile for the simulator, put the real "
    "TCompiler.exe and TDecompiler.exe in Corvane's program folder in place of the stand-ins.";

// Reads Aircraft.txt, Airports.txt and FlightPlans.txt from workFolder and writes them as the traffic
// file of fsFolder (both folders ending in the separator), replacing the old file atomically and
// creating it, with its folders, when there is none. False with error set, and the old traffic file
// untouched, when a database is missing or unreadable, the file cannot be written, or the old traffic
// file is not one of these tools' own (the simulator's real file is never replaced by a stand-in).
bool CompileTraffic(const std::string& workFolder, const std::string& fsFolder, std::string* error);

} // namespace corvane
