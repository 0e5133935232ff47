#include "checks/problem.h"

namespace corvane {

namespace {

struct CheckInfo {
    std::string_view name;
    Severity severity;
};

constexpr std::array<CheckInfo, kCheckCount> kInfo{{
    {"unknown-airport", Severity::Error},
    {"unknown-aircraft", Severity::Error},
    {"slow-aircraft", Severity::Error},
    {"same-airport", Severity::Error},
    {"cycle-too-long", Severity::Error},
    {"missing-aircraft", Severity::Warning},
    {"leg-too-short", Severity::Warning},
    {"leg-too-long", Severity::Warning},
    {"short-turnaround", Severity::Warning},
    {"duplicate-tail", Severity::Warning},
    {"duplicate-flight", Severity::Warning},
    {"percent", Severity::Warning},
    {"altitude", Severity::Warning},
    {"no-position", Severity::Warning},
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
