#pragma once
// The import of a 100,000-leg airline timetable into the large traffic set: half of its rows name the
// tail that flies them (weekly rotations of ten legs), half name none and are chained (daily out-and-back
// pairs of twenty aircraft types). Timed in this process from the file to the flights in the table, as
// File > "Import Timetable..." does it, against a fixed bar; its peak memory is that of corvane-cli
// timetable reading the set, importing the timetable and writing the result, against the reader's bar.

#include <cstddef>
#include <string>

namespace corvane {

class Report;
struct TrafficBenchSetup;

// Writes the timetable into the work folder and returns its path.
std::string WriteBenchTimetable(const TrafficBenchSetup& setup);

// Runs corvane-cli timetable on the set and returns its peak resident memory in bytes. Must run before
// this process grows (see RunMeasured).
std::size_t MeasureCliTimetable(const TrafficBenchSetup& setup, const std::string& timetable);

void RunTimetableBenchmarks(const TrafficBenchSetup& setup, const std::string& timetable, Report& report,
                            std::size_t cliPeak);

} // namespace corvane
