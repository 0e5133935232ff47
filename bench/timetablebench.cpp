#include "timetablebench.h"

#include "generator.h"
#include "platform/textfile.h"
#include "random.h"
#include "report.h"
#include "timetable/timetableimport.h"
#include "timing.h"
#include "traffic/changejournal.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"
#include "traffic/trafficdatabase.h"
#include "trafficbench.h"
#include "trafficnames.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>

namespace corvane {

namespace {

constexpr int kTails = 5'000;      // ten legs each
constexpr int kPairs = 25'000;     // out and back, every day
constexpr int kAirports = 2'000;   // of the traffic set, from its first
constexpr int kAircraftTypes = 20; // of the installed aircraft, the chained pairs'
constexpr int kBases = 100;        // the chained pairs' first airports
constexpr double kImportBar = 2.0;
constexpr double kMemoryFactor = 4;
constexpr std::size_t kMemoryExtra = 50u * 1024 * 1024;

std::string Clock(int minutes) {
    return TwoDigits(minutes / 60 % 24) + ":" + TwoDigits(minutes % 60);
}

std::string IataPath() {
    return std::filesystem::path(CliPath()).replace_filename("iata.dat").string();
}

} // namespace

std::string WriteBenchTimetable(const TrafficBenchSetup& setup) {
    const std::vector<InstalledAircraft> installed = GenerateInstalledAircraft(setup.size);
    if (installed.size() < kAircraftTypes || setup.size.airports < kAirports)
        throw std::runtime_error("the traffic set is too small for the timetable benchmark");
    Random random(setup.size.seed);
    std::string csv = "flight;from;to;departure;arrival;days;tail;aircraft\r\n";
    csv.reserve(static_cast<std::size_t>(kTails * 10 + kPairs * 2) * 70);
    const auto row = [&](int flight, int from, int to, int dep, int arr, const std::string& days,
                         const std::string& tail, const std::string& aircraft) {
        csv += "TB" + std::to_string(flight) + ";" + AirportCode(from) + ";" + AirportCode(to) + ";" +
               Clock(dep) + ";" + Clock(arr) + (arr / 1440 > dep / 1440 ? "+1" : "") + ";" + days + ";" +
               tail + ";\"" + aircraft + "\"\r\n";
    };
    int flight = 0;
    // Tails: from home to five airports and back, one a day from Monday to Friday.
    for (int t = 0; t < kTails; ++t) {
        const int home = t % kAirports;
        const std::string tail = "TT-" + std::to_string(t);
        const std::string& aircraft = installed[static_cast<std::size_t>(t) % installed.size()].title;
        for (int day = 1; day <= 5; ++day) {
            const int away = (home + random.between(1, kAirports - 1)) % kAirports;
            const int dep = random.between(300, 900), length = random.between(45, 240);
            row(++flight, home, away, dep, dep + length, std::to_string(day), tail, aircraft);
            const int back = dep + length + random.between(40, 120);
            row(++flight, away, home, back, back + length, std::to_string(day), tail, aircraft);
        }
    }
    // No tails: daily pairs from five bases per aircraft type, each pair to an airport that no other
    // pair of its type flies to, chained per aircraft type.
    for (int p = 0; p < kPairs; ++p) {
        const int home = p % kBases;
        const int away = kBases + p / kAircraftTypes % (kAirports - kBases);
        const std::string& aircraft = installed[static_cast<std::size_t>(p % kAircraftTypes)].title;
        const int dep = random.between(300, 900), length = random.between(45, 180);
        row(++flight, home, away, dep, dep + length, "daily", "", aircraft);
        const int back = dep + length + random.between(40, 90);
        row(++flight, away, home, back, back + length, "1234567", "", aircraft);
    }
    const std::string path = setup.workFolder + "timetable.csv";
    std::string error;
    if (!SaveFileAtomically(path, csv, &error)) throw std::runtime_error(error);
    return path;
}

std::size_t MeasureCliTimetable(const TrafficBenchSetup& setup, const std::string& timetable) {
    const auto [status, peak] =
        RunMeasured({CliPath(), "timetable", "--apt", setup.files.apt, setup.files.project, timetable,
                     setup.workFolder + "with-timetable.cvp"});
    if (status != 0 && status != 3) throw std::runtime_error("corvane-cli timetable failed");
    std::filesystem::remove(setup.workFolder + "with-timetable.cvp");
    return peak;
}

void RunTimetableBenchmarks(const TrafficBenchSetup& setup, const std::string& timetable, Report& report,
                            std::size_t cliPeak) {
    CountingPrompts prompts;
    TrafficDatabase db;
    ReadGeneratedSet(setup, db);
    db.journal().clear();

    // From the file to the flights in the table, as the window does it, then undone for the next run.
    TimetablePlan plan;
    double best = std::numeric_limits<double>::infinity();
    for (int run = 0; run < std::max(setup.repetitions, 1); ++run) {
        const Stopwatch watch;
        const auto table = ReadTimetableFile(timetable, prompts);
        const auto sources = ReadAirportSources(setup.files.apt, IataPath(), prompts);
        if (!table || !sources) throw std::runtime_error("the timetable could not be read");
        plan = PlanTimetable(db, *table, *sources, TimetableOptions{});
        ApplyTimetablePlan(db, plan);
        best = std::min(best, watch.seconds());
        if (!plan.error.empty() || db.journal().stepCount() != 1)
            throw std::runtime_error("the timetable was not imported: " + plan.error);
        db.journal().undo();
        db.journal().clear();
    }
    report.limit("import a " + std::to_string(plan.rows) + "-leg timetable", best, kImportBar);
    report.note("  " + PlanSummary(plan) + " (no bar)");

    const auto bytesRead = std::filesystem::file_size(setup.files.project) +
                           std::filesystem::file_size(setup.files.apt) +
                           std::filesystem::file_size(timetable) + std::filesystem::file_size(IataPath());
    report.memory("peak memory of corvane-cli timetable", cliPeak, bytesRead, kMemoryFactor, kMemoryExtra);
}

} // namespace corvane
