#pragma once
// The steps an import of a timetable shares between the window and corvane-cli: reading the file and
// Corvane's airport sources (each failure reported through the prompts), and the plan in a line.

#include "timetable/csvtable.h"
#include "timetable/timetableplan.h"

#include <optional>
#include <string>

namespace corvane {

class Prompts;

inline constexpr std::string_view kTimetableTitle = "Import Timetable";
// The file dialog's filter.
inline constexpr std::string_view kTimetableFilter = "Timetable (*.csv;*.txt)|*.csv;*.txt";

// The table of a timetable file; nullopt after reporting a file that cannot be read or is no text.
std::optional<CsvTable> ReadTimetableFile(const std::string& path, Prompts& prompts);

// apt.dat and iata.dat (found without regard to case); nullopt after reporting one that cannot be read.
std::optional<AirportSources> ReadAirportSources(const std::string& aptPath, const std::string& iataPath,
                                                 Prompts& prompts);

// Reports a plan whose file is no timetable (plan.error) and returns true; false for any other plan.
bool RefuseTimetable(const TimetablePlan& plan, const std::string& path, Prompts& prompts);

// "5,000 rows, 300 rotations, 302 flights; 3 problems, 2 of them leaving legs out".
std::string PlanSummary(const TimetablePlan& plan);

} // namespace corvane
