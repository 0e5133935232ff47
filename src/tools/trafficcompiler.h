#pragma once
// The work of the stand-in TCompiler.exe: the three text databases of a folder into the simulator's
// traffic file.

#include <string>

namespace corvane {

// Reads Aircraft.txt, Airports.txt and FlightPlans.txt from workFolder and writes them as the traffic
// file of fsFolder (both folders ending in the separator), replacing the old file atomically and
// creating it, with its folders, when there is none. False with error set, and the old traffic file
// untouched, when a database is missing or unreadable or the file cannot be written.
bool CompileTraffic(const std::string& workFolder, const std::string& fsFolder, std::string* error);

} // namespace corvane
