#pragma once
// The work of the stand-in TDecompiler.exe: the simulator's traffic file into three text databases.

#include <string>

namespace corvane {

// Writes aircraft.txt, airports.txt and flightplans.txt into workFolder from the traffic file of
// fsFolder (both folders ending in the separator). Nothing is written unless the traffic file is whole;
// the three files are replaced as a set, so a failure leaves the files that were there as they were.
// False with error set on any failure.
bool DecompileTraffic(const std::string& fsFolder, const std::string& workFolder, std::string* error);

} // namespace corvane
