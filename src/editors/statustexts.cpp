#include "editors/statustexts.h"

#include "traffic/numbers.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

namespace {

std::string Count(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 || n == -1 ? one : many);
}

std::string Quoted(std::string_view path) {
    return "'" + FileNameOf(path) + "'";
}

std::string BackupPart(std::string_view backupPath) {
    return backupPath.empty() ? "there was no old file to back up"
                              : "the old file is in Traffic Backup as " + Quoted(backupPath);
}

} // namespace

std::string FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string OpenedStatus(std::string_view name, const TrafficDatabase& db) {
    return std::string(name == "Traffic.bgl" ? name : Quoted(name)) +
           " opened: " + Count(db.flightTable().nonEmptyCount(), "flight", "flights") + ", " +
           Count(db.airportTable().rowCount(), "airport", "airports") + " and " +
           std::to_string(db.aircraftTable().rowCount()) + " aircraft";
}

std::string NewProjectStatus(const TrafficDatabase& db) {
    return "New project: " + Count(db.airportTable().rowCount(), "airport", "airports") + " and " +
           std::to_string(db.aircraftTable().rowCount()) + " aircraft";
}

std::string SavedStatus(std::string_view path) {
    return "Project saved as " + Quoted(path);
}

std::string CompiledStatus(std::string_view backupPath) {
    return "Traffic.bgl compiled; " + BackupPart(backupPath);
}

std::string ImportedStatus(std::string_view projectPath, std::string_view backupPath) {
    return Quoted(projectPath) + " imported into Traffic.bgl; " + BackupPart(backupPath);
}

std::string MergedStatus(std::string_view projectPath, int unknownAircraft) {
    return Quoted(projectPath) + " merged into the installed traffic: associate its " +
           std::to_string(unknownAircraft) + " unknown aircraft, then compile";
}

std::string ImageStatus(std::string_view what, std::string_view path) {
    return std::string(what) + " saved as " + Quoted(path);
}

std::string FilterStatus(FilterMode mode, std::string_view value, int flights) {
    switch (mode) {
    case FilterMode::Delete:
        return Count(flights, "flight", "flights") + " deleted";
    case FilterMode::Percent:
        return "Traffic percent of " + Count(flights, "flight", "flights") + " set to " +
               NumberText(NumericValue(value)) + "%";
    case FilterMode::Time: {
        const int hours = RoundToInt(NumericValue(value));
        return "Departure times of " + Count(flights, "flight", "flights") + " shifted by " +
               Count(hours, "hour", "hours");
    }
    }
    return {};
}

std::string RerouteStatus(std::string_view from, std::string_view to, const ReroutePlan& plan,
                          OldAirport old) {
    std::string text = "Traffic of " + std::string(from) + " moved to " + std::string(to) + ": " +
                       Count(static_cast<int>(plan.changes.size()), "flight", "flights") + " with " +
                       Count(plan.legs, "leg", "legs");
    if (!plan.leftOut.empty())
        text += "; " + Count(static_cast<int>(plan.leftOut.size()), "flight", "flights") + " left as " +
                (plan.leftOut.size() == 1 ? "it is" : "they are");
    if (old == OldAirport::Removed) text += "; " + std::string(from) + " removed from the airport table";
    return text;
}

std::string RetimeStatus(const RetimeCounts& counts) {
    std::string text = "Arrival times of " + Count(counts.legs, "leg", "legs") + " in " +
                       Count(counts.flights, "flight", "flights") + " set from the cruise speeds";
    if (counts.kept() > 0) text += "; " + Count(counts.kept(), "leg", "legs") + " kept theirs";
    return text;
}

std::string ProposedArrivalStatus(int legs) {
    return "Proposed arrival used on " + Count(legs, "leg", "legs");
}

std::string AssociatedStatus(std::string_view unknown, std::string_view chosen, int flights) {
    return "'" + std::string(unknown) + "' associated with '" + std::string(chosen) + "' in " +
           Count(flights, "flight", "flights");
}

} // namespace corvane
