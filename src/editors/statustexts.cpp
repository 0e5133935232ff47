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

std::string MapImageStatus(std::string_view path) {
    return "Map image saved as " + Quoted(path);
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

std::string AssociatedStatus(std::string_view unknown, std::string_view chosen, int flights) {
    return "'" + std::string(unknown) + "' associated with '" + std::string(chosen) + "' in " +
           Count(flights, "flight", "flights");
}

} // namespace corvane
