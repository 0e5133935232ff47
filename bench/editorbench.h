#pragma once
// The benchmarks of the editors and filters over the large traffic set: listing a busy airport's
// flights, loading and storing a flight of 25 legs, sorting the airport list, each bulk filter.

namespace corvane {

class Report;
struct TrafficBenchSetup;

void RunEditorBenchmarks(const TrafficBenchSetup& setup, Report& report);

} // namespace corvane
