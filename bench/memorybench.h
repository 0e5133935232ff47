#pragma once
// The peak memory of reading a file of millions of one-character flight lines, the input that costs
// the most memory per byte: read in a fresh process of its own, so that nothing else counts.

#include <string>

namespace corvane {

class Report;

// Writes 60 MB of such lines into workFolder, reads them in a child process and reports its peak
// memory against the bar 4 x bytes read + 50 MB + 32 bytes per line.
void RunLineMemoryBenchmark(const std::string& workFolder, Report& report);

// The child's side: reads path as a project file and prints the peak memory in bytes. Returns the
// exit status.
int ReadAndPrintPeak(const std::string& path);

} // namespace corvane
