#pragma once
// What the traffic check finds: problems, each of one check, on one flight (its FlightTable index) and
// possibly one of its legs. Errors are flights that a save drops or that the simulator cannot fly as
// written; warnings are flights that it flies, but not as their author most likely meant.

#include "checks/textstore.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class Severity { Error, Warning };

enum class Check {
    UnknownAirport,
    UnknownAircraft,
    SlowAircraft,
    SameAirport,
    CycleTooLong,
    MissingAircraft,
    LegTooShort,
    LegTooLong,
    ShortTurnaround,
    DuplicateTail,
    DuplicateFlight,
    Percent,
    Altitude,
    NoPosition,
};
inline constexpr int kCheckCount = 14;

// Every check, in the order of the enum.
extern const std::array<Check, kCheckCount> kAllChecks;

// The check's id as the command line prints it ("unknown-airport").
std::string_view CheckName(Check check);
// The check's name as the window shows it ("Unknown airport").
std::string_view CheckTitle(Check check);
Severity CheckSeverity(Check check);
std::string_view SeverityName(Severity severity); // "error" or "warning"
// Checks whose error means that a save or compile drops the flight (rather than the simulator
// mishandling it).
bool DropsFlight(Check check);

struct Problem {
    Check check;
    int flight = -1;
    int leg = 0; // 1-based position in the flight line; 0 for a check of the whole flight
    // The message: a sentence naming the airports, times and values involved, kept in the report.
    TextStore::Place text = {};

    Severity severity() const { return CheckSeverity(check); }
};

// The order of a report: by flight, then leg (whole-flight problems first), then check name.
bool ProblemBefore(const Problem& a, const Problem& b);

// The problems found with their messages, and the counts.
struct CheckReport {
    std::vector<Problem> problems; // in the order of ProblemBefore
    TextStore texts;
    int errors = 0;
    int warnings = 0;
    int flightsWithProblems = 0;
    int flightsDropped = 0;    // flights with an error that makes a save drop them
    int flightsMishandled = 0; // flights with other errors only

    std::string_view message(const Problem& problem) const { return texts.text(problem.text); }
    int flightsWithErrors() const { return flightsDropped + flightsMishandled; }
};

} // namespace corvane
