#include "projects/importproject.h"

#include "projects/session.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/progress.h"
#include "traffic/reader.h"
#include "traffic/text.h"
#include "traffic/textfile.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace corvane {

namespace {

// The number an aircraft reference stands for: the text after its last "#".
std::string_view OldNumber(std::string_view reference) {
    const auto hash = reference.rfind('#');
    return TrimView(hash == std::string_view::npos ? reference : reference.substr(hash + 1));
}

// What each aircraft number of the import file stands for in the merged tables. Numbers are keyed by
// their canonical text, so numbers of any size or sign are mapped, and AC#007 is AC#7.
class ImportAircraftMap {
public:
    void set(std::string_view oldNumber, std::string reference) {
        m_references[CanonicalNumberText(oldNumber)] = std::move(reference);
    }
    // The empty text for a number that no aircraft line of the file defined.
    std::string_view reference(std::string_view oldNumber) const {
        const auto it = m_references.find(CanonicalNumberText(oldNumber));
        return it == m_references.end() ? std::string_view() : std::string_view(it->second);
    }

private:
    std::unordered_map<std::string, std::string> m_references;
};

class Merger final : public ProjectLineHandler {
public:
    explicit Merger(TrafficDatabase& db)
        : m_db(db) {}

    void aircraft(std::string_view line) override {
        const AircraftLine a = ParseAircraftLine(line);
        const std::string title = Trim(a.title);
        const std::string_view oldNumber = OldNumber(a.number);
        AircraftTable& aircraft = m_db.aircraftTable();
        MissingAircraftTable& missing = m_db.missingAircraftTable();
        if (const int row = aircraft.findByTitle(title); row >= 0) {
            m_map.set(oldNumber, aircraft.cell(row, AircraftTable::Number));
        } else if (const int row = missing.findByTitle(title); row >= 0) {
            m_map.set(oldNumber, missing.cell(row, MissingAircraftTable::Number));
        } else {
            std::string reference;
            do {
                reference = "AC#" + std::to_string(++m_counter);
            } while (m_db.aircraftNumberInUse(reference));
            m_map.set(oldNumber, reference);
            if (m_db.installedAircraftTable().findByTitle(title) >= 0)
                aircraft.add({std::move(reference), a.speed, title});
            else
                missing.add({title, a.speed, std::move(reference)});
        }
    }

    // A code the tables hold already keeps its loaded data.
    void airport(std::string_view line) override {
        const std::string code = Trim(GetFieldView(line, 1, ','));
        if (m_db.airportTable().findByIcao(code) >= 0) return;
        TextTable::Row row;
        for (int field = 0; field < 6; ++field) row.push_back(Trim(TakeField(line, ',')));
        m_db.airportTable().add(std::move(row));
    }

    void flight(std::string_view line) override { m_flights.push_back(line); }

    // The collected flights in ascending text order, letter case ignored, each with its aircraft number
    // translated.
    void appendFlights() {
        std::stable_sort(m_flights.begin(), m_flights.end(), LessIgnoringCase());
        FlightTable& table = m_db.flightTable();
        for (std::string_view line : m_flights) {
            const std::string_view reference = m_map.reference(OldNumber(GetFieldView(line, 1, ',')));
            table.append(SetField(line, 1, reference, ','));
        }
    }

private:
    TrafficDatabase& m_db;
    ImportAircraftMap m_map;
    std::int64_t m_counter = 0;
    std::vector<std::string_view> m_flights;
};

} // namespace

std::optional<std::string> ReadImportFile(const std::string& path, Prompts& prompts) {
    std::string error;
    auto bytes = ReadFileBytes(path, &error);
    if (!bytes) {
        ReportReadError(prompts, error);
        return std::nullopt;
    }
    // A file that would merge nothing (another encoding, no line of a project) is no import.
    if (const auto problem = ProjectFileProblem(*bytes, path)) {
        ReportReadError(prompts, *problem);
        return std::nullopt;
    }
    return bytes;
}

void ImportProjectBytes(TrafficDatabase& db, std::string_view bytes, Progress& progress) {
    ProgressScope scope(progress, "Open Corvane Project Data");
    StepScope step(db.journal(), "Import");
    {
        // Rows are added without announcing each one; the lists are refreshed once at the end.
        TextTable::Batch airports(db.airportTable());
        TextTable::Batch missing(db.missingAircraftTable());
        Merger merger(db);
        EachProjectLine(bytes, progress, merger);
        progress.show(99);
        merger.appendFlights();
    }
    AddInstalledAircraft(db);
}

bool ImportProject(TrafficDatabase& db, const std::string& path, Prompts& prompts, Progress& progress) {
    const auto bytes = ReadImportFile(path, prompts);
    if (!bytes) return false;
    ImportProjectBytes(db, *bytes, progress);
    return true;
}

bool ImportProject(Session& session, const std::string& path) {
    return ImportProject(session.db, path, session.prompts, session.progress);
}

} // namespace corvane
