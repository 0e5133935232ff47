#pragma once
// Which traffic tools the program folder holds: the stand-ins built with Corvane (whose traffic.bgl
// the simulator cannot read) or others, such as the real tools.

#include <string>

namespace corvane {

// True when the program file at path is one of Corvane's stand-in tools.
bool IsStandInTool(const std::string& path);

// A line for the Options window saying which tools programFolder holds.
std::string TrafficToolsDescription(const std::string& programFolder);

} // namespace corvane
