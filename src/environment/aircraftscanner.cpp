#include "environment/aircraftscanner.h"

#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/progress.h"
#include "platform/textfile.h"
#include "traffic/inifile.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

constexpr std::string_view kAircraftFolder = "aircraft";
constexpr std::string_view kConfigFile = "aircraft.cfg";

// The direct subfolders of folder, ordered by name with letter case ignored (then by bytes).
std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    for (std::string& name : hostfs::FolderNames(folder))
        if (hostfs::KindOf(WithSeparator(folder) + name) == hostfs::Kind::Folder)
            names.push_back(std::move(name));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = CompareIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

Prompt OverflowMessage(const std::string& path) {
    return {"Error",
            "Overflow error in ''GetFSAircraft''" + std::string(kLineEnd) + std::string(kLineEnd) +
                "Error reading: " + path,
            Icon::Critical, Buttons::Ok, Answer::Ok};
}

// Adds the variants of folder's aircraft.cfg; returns the overflow message when the file has too many.
std::optional<Prompt> ScanFolder(const std::string& folder, InstalledAircraftTable& table) {
    const auto path = FindPath(WithSeparator(folder) + std::string(kConfigFile));
    if (!path || !PathExists(*path, true)) return std::nullopt;
    const auto bytes = ReadFileBytes(*path);
    if (!bytes) return std::nullopt;
    const IniFile ini(*bytes);

    const std::string speed =
        std::to_string(Truncate(NumericValue(ini.value("Reference Speeds", "cruise_speed", "0"))));
    for (int n = 0;;) {
        std::string title = ini.value("fltsim." + std::to_string(n), "title", "");
        if (title.empty() || title.front() == '~') return std::nullopt;
        table.add({std::move(title), speed, speed});
        if (++n == kVariantLimit) return OverflowMessage(*path);
    }
}

} // namespace

AircraftScanResult GetFSAircraft(std::string_view fsFolder, InstalledAircraftTable& fsAirLst,
                                 Progress& progress) {
    ProgressScope scope(progress, kAircraftScanTitle);
    TextTable::Batch batch(fsAirLst);
    fsAirLst.clear();

    const auto aircraft = FindPath(WithSeparator(fsFolder) + std::string(kAircraftFolder));
    if (!aircraft || !PathExists(*aircraft, false)) return {};
    const std::string root = WithSeparator(*aircraft);
    const auto subfolders = Subfolders(root);

    if (auto overflow = ScanFolder(root, fsAirLst)) return {std::move(overflow)};
    ProgressTicker ticker(progress);
    const auto count = static_cast<long long>(subfolders.size());
    for (long long i = 0; i < count; ++i) {
        ticker.show(static_cast<int>((i + 1) * 100 / count));
        if (auto overflow = ScanFolder(root + subfolders[static_cast<std::size_t>(i)], fsAirLst))
            return {std::move(overflow)};
    }
    return {};
}

void ResetFSAircraftSpeeds(InstalledAircraftTable& fsAirLst) {
    for (int row = 0; row < fsAirLst.rowCount(); ++row)
        fsAirLst.setCell(row, InstalledAircraftTable::Speed,
                         fsAirLst.cell(row, InstalledAircraftTable::DefaultSpeed));
}

} // namespace corvane
