#include "traffic/trafficdatabase.h"

#include "traffic/numbers.h"
#include "traffic/text.h"

#include <cstdint>

namespace corvane {

const std::string kAircraftSeparator(93, '-');

std::string CanonicalAircraftNumber(std::string_view number) {
    const std::string_view text = TrimView(number);
    return "AC#" + CanonicalNumberText(text.size() > 3 ? text.substr(3) : std::string_view());
}

TrafficDatabase::TrafficDatabase() {
    for (TextTable* table : std::initializer_list<TextTable*>{&m_aircraft, &m_missing, &m_installed, &m_airports})
        table->setJournal(&m_journal);
    m_flights.setJournal(&m_journal);
    m_aircraftChoices.setJournal(&m_journal);
    m_airportCodes.setJournal(&m_journal);
}

bool TrafficDatabase::aircraftNumberInUse(std::string_view number) const {
    return m_aircraft.findByNumber(number) >= 0 || m_missing.findByNumber(number) >= 0;
}

void TrafficDatabase::clearTables() {
    m_flights.clear();
    m_airports.clear();
    m_aircraft.clear();
    m_missing.clear();
    m_aircraftChoices.clear();
    m_airportCodes.clear();
}

void TrafficDatabase::copyInstalledAircraftTo(TrafficDatabase& staging) const {
    InstalledAircraftTable& target = staging.m_installed;
    TextTable::Batch batch(target);
    target.clear();
    for (int row = 0; row < m_installed.rowCount(); ++row) target.add(m_installed.row(row));
}

void TrafficDatabase::adopt(TrafficDatabase& staged) {
    m_flights.swapLines(staged.m_flights);
    m_airports.swapRows(staged.m_airports);
    m_aircraft.swapRows(staged.m_aircraft);
    m_missing.swapRows(staged.m_missing);
    m_installed.swapRows(staged.m_installed);
    m_aircraftChoices.swapEntries(staged.m_aircraftChoices);
    m_airportCodes.swapEntries(staged.m_airportCodes);
}

void AddInstalledAircraft(TrafficDatabase& db) {
    const InstalledAircraftTable& installed = db.installedAircraftTable();
    AircraftTable& aircraft = db.aircraftTable();
    std::int64_t k = 0;
    for (int row = 0; row < installed.rowCount(); ++row) {
        const std::string& title = installed.cell(row, InstalledAircraftTable::Title);
        if (aircraft.findByTitle(title) >= 0 || db.missingAircraftTable().findByTitle(title) >= 0) continue;
        std::string number;
        do {
            ++k;
            number = "AC#" + std::to_string(k);
        } while (db.aircraftNumberInUse(number));
        db.aircraftChoices().add(title);
        aircraft.add({number, installed.cell(row, InstalledAircraftTable::Speed), title});
    }
    db.aircraftChoices().setHeads({std::string(kChooseAircraft), kAircraftSeparator});
}

std::string AircraftTitleOf(const TrafficDatabase& db, std::string_view number) {
    if (const int row = db.aircraftTable().findByNumber(number); row >= 0)
        return db.aircraftTable().cell(row, AircraftTable::Title);
    if (const int row = db.missingAircraftTable().findByNumber(number); row >= 0)
        return db.missingAircraftTable().cell(row, MissingAircraftTable::Title) + std::string(kNotInstalled);
    return {};
}

} // namespace corvane
