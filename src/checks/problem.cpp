#include "checks/problem.h"

namespace corvane {

namespace {

struct CheckInfo {
    std::string_view name;
    std::string_view title;
    Severity severity;
};

constexpr std::array<CheckInfo, kCheckCount> kInfo{{
    {"unknown-airport", "Unknown airport", Severity::Error},
    {"unknown-aircraft", "Unknown aircraft", Severity::Error},
    {"slow-aircraft", "Aircraft too slow", Severity::Error},
    {"same-airport", "Same airport", Severity::Error},
    {"cycle-too-long", "Round too long", Severity::Error},
    {"missing-aircraft", "Aircraft not installed", Severity::Warning},
    {"leg-too-short", "Leg too short", Severity::Warning},
    {"leg-too-long", "Leg too long", Severity::Warning},
    {"short-turnaround", "Short turnaround", Severity::Warning},
    {"duplicate-tail", "Shared tail number", Severity::Warning},
    {"duplicate-flight", "Duplicate flight", Severity::Warning},
    {"percent", "Traffic percent", Severity::Warning},
    {"altitude", "Cruise altitude", Severity::Warning},
    {"no-position", "Airport without coordinates", Severity::Warning},
}};

const CheckInfo& Info(Check check) {
    return kInfo[static_cast<std::size_t>(check)];
}

} // namespace

const std::array<Check, kCheckCount> kAllChecks{
    Check::UnknownAirport,  Check::UnknownAircraft, Check::SlowAircraft,    Check::SameAirport,
    Check::CycleTooLong,    Check::MissingAircraft, Check::LegTooShort,     Check::LegTooLong,
    Check::ShortTurnaround, Check::DuplicateTail,   Check::DuplicateFlight, Check::Percent,
    Check::Altitude,        Check::NoPosition,
};

std::string_view CheckName(Check check) {
    return Info(check).name;
}

std::string_view CheckTitle(Check check) {
    return Info(check).title;
}

Severity CheckSeverity(Check check) {
    return Info(check).severity;
}

std::string_view SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

bool DropsFlight(Check check) {
    return check == Check::UnknownAirport || check == Check::UnknownAircraft || check == Check::SlowAircraft;
}

bool ProblemBefore(const Problem& a, const Problem& b) {
    if (a.flight != b.flight) return a.flight < b.flight;
    if (a.leg != b.leg) return a.leg < b.leg;
    return CheckName(a.check) < CheckName(b.check);
}

} // namespace corvane
