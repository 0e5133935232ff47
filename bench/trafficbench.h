#pragma once
// The benchmarks of the traffic formats, over one generated traffic set on disk: reading the project
// file (with the apt.dat merge and AddInstalledAircraft), writing the project file, and writing the
// compiler's three files, each beside a baseline that only reads or writes the same bytes; and writing a
// set of 50,000 aircraft that are not installed, against a fixed bar.

#include "generator.h"

#include <string>

namespace corvane {

class Report;
class TrafficDatabase;

struct TrafficBenchSetup {
    TrafficSetSize size;
    TrafficSetFiles files;
    std::string workFolder; // ends in "/"; the written files go here
    int repetitions = 3;
};

// Reads the generated project into db, with its aircraft installed and apt.dat merged; throws when it
// cannot be read.
void ReadGeneratedSet(const TrafficBenchSetup& setup, TrafficDatabase& db);

// Runs the read first: the peak memory it reports is the process's after that read, so it must be the
// first benchmark of the process.
void RunTrafficBenchmarks(const TrafficBenchSetup& setup, Report& report);

} // namespace corvane
