#include "trafficbench.h"

#include "platform/progress.h"
#include "platform/textfile.h"
#include "report.h"
#include "timing.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"
#include "traffic/writer.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <stdexcept>

namespace corvane {

namespace {

constexpr double kReadBar = 4;
constexpr double kWriteBar = 8;
// A set whose aircraft are all distinct and none installed: the rebuilt MissingAircraftTable must not
// cost a sorted insert per aircraft.
constexpr int kMissingAircraft = 50'000;
constexpr double kMissingWriteBar = 1; // seconds
constexpr double kMemoryFactor = 4;
constexpr std::size_t kMemoryExtra = 50u * 1024 * 1024;

// Keeps the baselines' results alive so that the compiler cannot drop their work.
volatile std::size_t g_sink = 0;

std::string ReadWhole(const std::string& path) {
    std::string error;
    auto bytes = ReadFileBytes(path, &error);
    if (!bytes) throw std::runtime_error(error);
    return std::move(*bytes);
}

void ReadAndSplit(const std::string& path) {
    const std::string bytes = ReadWhole(path);
    LineCursor lines(bytes);
    std::string_view line;
    std::size_t count = 0;
    while (lines.next(line)) count += line.size() + 1;
    g_sink = g_sink + count;
}

void Save(const std::string& path, std::string_view bytes) {
    std::string error;
    if (!SaveFileAtomically(path, bytes, &error)) throw std::runtime_error(error);
}

class TrafficBench {
public:
    TrafficBench(const TrafficBenchSetup& setup, Report& report)
        : m_setup(setup)
        , m_report(report) {}

    void read();
    void writeProject();
    void writeCompilerFiles();
    void writeManyMissingAircraft();

private:
    void checkNothingDropped(std::string_view operation);

    const TrafficBenchSetup& m_setup;
    Report& m_report;
    std::unique_ptr<TrafficDatabase> m_db;
    CountingPrompts m_prompts;
    int m_promptsSeen = 0;
    NullProgress m_progress;
};

void TrafficBench::read() {
    const TrafficSetFiles& files = m_setup.files;
    const auto installed = GenerateInstalledAircraft(m_setup.size);
    const ReadOptions options{false, true, files.apt};
    double best = std::numeric_limits<double>::infinity();
    std::size_t peak = 0;
    for (int i = 0; i < std::max(m_setup.repetitions, 1); ++i) {
        m_db.reset(); // the previous read's tables go before the next read
        auto db = std::make_unique<TrafficDatabase>();
        InstallAircraft(*db, installed);
        const Stopwatch watch;
        ReadProjectFile(*db, files.project, options, m_prompts, m_progress);
        best = std::min(best, watch.seconds());
        if (i == 0) peak = PeakResidentBytes();
        m_db = std::move(db);
    }
    const double baseline = BestOf(m_setup.repetitions, [&] {
        ReadAndSplit(files.project);
        ReadAndSplit(files.apt);
    });
    m_report.timing("read project + apt.dat merge", best, "baseline read + split lines", baseline, kReadBar);
    const auto bytesRead = std::filesystem::file_size(files.project) + std::filesystem::file_size(files.apt);
    m_report.memory("peak memory after the read", peak, bytesRead, kMemoryFactor, kMemoryExtra);

    const TrafficSetSize& size = m_setup.size;
    const bool complete =
        m_db->flightTable().nonEmptyCount() == size.flights &&
        m_db->airportTable().rowCount() == size.airports + size.aptAirports - size.aptOverlap &&
        m_db->aircraftTable().rowCount() == size.installedAircraft &&
        m_db->missingAircraftTable().rowCount() == size.aircraft - size.installedAircraft;
    if (!complete) m_report.note("the read did not load the generated set whole", true);
    checkNothingDropped("the read");
}

void TrafficBench::writeProject() {
    const std::string path = m_setup.workFolder + "written.cvp";
    const double best =
        BestOf(m_setup.repetitions, [&] { WriteProjectFile(*m_db, path, m_prompts, m_progress); });
    const std::string bytes = ReadWhole(path);
    const double baseline =
        BestOf(m_setup.repetitions, [&] { Save(m_setup.workFolder + "baseline.cvp", bytes); });
    m_report.timing("WriteProjectFile", best, "baseline atomic write", baseline, kWriteBar);
    if (bytes != ReadWhole(m_setup.files.project))
        m_report.note("the written project differs from the read one", true);
    checkNothingDropped("WriteProjectFile");
}

void TrafficBench::writeCompilerFiles() {
    const std::string folder = m_setup.workFolder + "compiler/";
    const std::string baselineFolder = m_setup.workFolder + "baseline-compiler/";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(baselineFolder);
    const double best =
        BestOf(m_setup.repetitions, [&] { WriteTrafficFiles(*m_db, folder, m_prompts, m_progress); });
    std::vector<std::pair<std::string, std::string>> written;
    for (const char* name : {"Aircraft.txt", "Airports.txt", "FlightPlans.txt"})
        written.emplace_back(baselineFolder + name, ReadWhole(folder + name));
    const double baseline = BestOf(m_setup.repetitions, [&] {
        for (const auto& [path, bytes] : written) Save(path, bytes);
    });
    m_report.timing("WriteTrafficFiles", best, "baseline atomic writes", baseline, kWriteBar);
    checkNothingDropped("WriteTrafficFiles");
}

void TrafficBench::writeManyMissingAircraft() {
    TrafficSetSize size;
    size.flights = kMissingAircraft;
    size.aircraft = kMissingAircraft;
    size.installedAircraft = 0;
    size.airports = 500;
    size.aptAirports = 0;
    size.aptOverlap = 0;
    TrafficDatabase db;
    ReadProjectBytes(db, GenerateTrafficSet(size).project, ReadOptions{false, false, ""}, m_prompts,
                     m_progress);
    if (db.missingAircraftTable().rowCount() != kMissingAircraft)
        m_report.note("the set of aircraft that are not installed was not read whole", true);
    const std::string path = m_setup.workFolder + "missing.cvp";
    const double best =
        BestOf(m_setup.repetitions, [&] { WriteProjectFile(db, path, m_prompts, m_progress); });
    m_report.limit("write " + std::to_string(kMissingAircraft) + " aircraft not installed", best,
                   kMissingWriteBar);
    if (db.missingAircraftTable().rowCount() != kMissingAircraft ||
        db.flightTable().nonEmptyCount() != kMissingAircraft)
        m_report.note("the write of the aircraft that are not installed dropped some", true);
}

void TrafficBench::checkNothingDropped(std::string_view operation) {
    if (m_prompts.count() > m_promptsSeen)
        m_report.note(std::string(operation) + " showed \"" + m_prompts.last().title + ": " +
                          m_prompts.last().text + "\"",
                      true);
    m_promptsSeen = m_prompts.count();
    if (m_db->flightTable().nonEmptyCount() != m_setup.size.flights)
        m_report.note(std::string(operation) + " dropped flights", true);
}

} // namespace

void RunTrafficBenchmarks(const TrafficBenchSetup& setup, Report& report) {
    TrafficBench bench(setup, report);
    bench.read();
    bench.writeProject();
    bench.writeCompilerFiles();
    bench.writeManyMissingAircraft();
}

void ReadGeneratedSet(const TrafficBenchSetup& setup, TrafficDatabase& db) {
    CountingPrompts prompts;
    NullProgress progress;
    InstallAircraft(db, GenerateInstalledAircraft(setup.size));
    if (!ReadProjectFile(db, setup.files.project, ReadOptions{false, true, setup.files.apt}, prompts,
                         progress))
        throw std::runtime_error("the traffic set could not be read");
}

} // namespace corvane
