#pragma once
// The work of the stand-in TDecompiler.exe: the simulator's traffic file into three text databases.

#include <string>

namespace corvane {

// Writes aircraft.txt, airports.txt and flightplans.txt into workFolder from the traffic file of
// fsFolder (both folders ending in the separator). Nothing is written unless the traffic file is whole;
// each file is written atomically, and when one cannot be written, those written before it are removed.
// False with error set on any failure.
bool DecompileTraffic(const std::string& fsFolder, const std::string& workFolder, std::string* error);

} // namespace corvane
