#pragma once
// The benchmark of the traffic check over the large traffic set: the check itself in this process, the
// memory its report holds, and the peak memory of corvane-cli check (reading the set and checking it)
// in a process of its own.

#include <cstddef>

namespace corvane {

class Report;
struct TrafficBenchSetup;

// Runs corvane-cli check on the set and returns its peak resident memory in bytes. Must run before
// this process grows: a child started from a large process is charged that process's peak.
std::size_t MeasureCliCheck(const TrafficBenchSetup& setup);

// Times the check and prints its figures, with the peak memory measured before.
void RunCheckBenchmarks(const TrafficBenchSetup& setup, Report& report, std::size_t cliPeak);

} // namespace corvane
