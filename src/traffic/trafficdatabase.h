#pragma once
// The whole in-memory state of an open traffic set: aircraft, airports and flights, and the tables
// that tie the aircraft of the traffic set to those installed in the simulator. There is no other copy
// of this data in memory; every page and command reads and changes it here.
//
// Each aircraft of a traffic set is in exactly one of AircraftTable and MissingAircraftTable. An
// aircraft number ("AC#" and a number) is in use when either table holds it in its canonical form.

#include "traffic/changejournal.h"
#include "traffic/flighttable.h"
#include "traffic/sortedlist.h"
#include "traffic/texttable.h"

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kChooseAircraft = "Choose Aircraft";
// After the title of an aircraft that is not installed, wherever a flight's aircraft is named.
inline constexpr std::string_view kNotInstalled = " (not installed)";
// The aircraft list's second head entry: a line of 93 hyphens.
extern const std::string kAircraftSeparator;

// The one form in which aircraft numbers are compared: "AC#" and the number that follows the first three
// characters, written canonically. AC#007, AC#7 and ac#7 are one aircraft; AC#x is AC#0. Every lookup by
// number, the in-use test and the writer's renumbering compare numbers in this form.
std::string CanonicalAircraftNumber(std::string_view number);

// Aircraft of the traffic set that flights can use, in the order they were added (aircraftLst).
class AircraftTable : public TextTable {
public:
    enum Column { Number, Speed, Title };
    AircraftTable()
        : TextTable(3, Order::Insertion, {Number, Title}) {
        setLookupForm(Number, CanonicalAircraftNumber);
    }
    // The first row whose number is number's (compared canonically); -1 when none.
    int findByNumber(std::string_view number) const { return find(Number, number); }
    int findByTitle(std::string_view title) const { return find(Title, title); }
};

// Aircraft of the traffic set that are not installed in the simulator, sorted by title (missingAIRLst).
class MissingAircraftTable : public TextTable {
public:
    enum Column { Title, Speed, Number };
    MissingAircraftTable()
        : TextTable(3, Order::ByText, {Title, Number}) {
        setLookupForm(Number, CanonicalAircraftNumber);
    }
    int findByTitle(std::string_view title) const { return find(Title, title); }
    // Compared canonically, as in the AircraftTable.
    int findByNumber(std::string_view number) const { return find(Number, number); }
};

// Aircraft installed in the simulator, sorted by title (fsAirLst): the current cruise speed, which the
// traffic set and the user may change, and the default one of the aircraft's configuration file.
class InstalledAircraftTable : public TextTable {
public:
    enum Column { Title, Speed, DefaultSpeed };
    InstalledAircraftTable()
        : TextTable(3, Order::ByText, {Title}) {}
    int findByTitle(std::string_view title) const { return find(Title, title); }
};

// Airports, one row per ICAO code (aptLST). Rows are kept in the order they were added; the airport
// page shows them sorted by the column the user chose.
class AirportTable : public TextTable {
public:
    enum Column { Icao, Latitude, Longitude, Elevation, Name, Country };
    AirportTable()
        : TextTable(6, Order::Insertion, {Icao}) {}
    int findByIcao(std::string_view code) const { return find(Icao, code); }
};

class TrafficDatabase {
public:
    TrafficDatabase();
    TrafficDatabase(const TrafficDatabase&) = delete;
    TrafficDatabase& operator=(const TrafficDatabase&) = delete;

    // Records every change to the tables below, for undo and redo and the "unsaved changes" state.
    ChangeJournal& journal() { return m_journal; }
    const ChangeJournal& journal() const { return m_journal; }

    AircraftTable& aircraftTable() { return m_aircraft; }
    const AircraftTable& aircraftTable() const { return m_aircraft; }
    MissingAircraftTable& missingAircraftTable() { return m_missing; }
    const MissingAircraftTable& missingAircraftTable() const { return m_missing; }
    InstalledAircraftTable& installedAircraftTable() { return m_installed; }
    const InstalledAircraftTable& installedAircraftTable() const { return m_installed; }
    AirportTable& airportTable() { return m_airports; }
    const AirportTable& airportTable() const { return m_airports; }
    FlightTable& flightTable() { return m_flights; }
    const FlightTable& flightTable() const { return m_flights; }

    // The entries of the aircraft combo aircraftCom: the two head entries, then the titles.
    SortedList& aircraftChoices() { return m_aircraftChoices; }
    const SortedList& aircraftChoices() const { return m_aircraftChoices; }
    // The entries shared by the three airport combos aptCom, depCom and desCom: every ICAO code.
    SortedList& airportCodes() { return m_airportCodes; }
    const SortedList& airportCodes() const { return m_airportCodes; }

    bool aircraftNumberInUse(std::string_view number) const;

    // Empties the tables of the traffic set and the combos before a load; the installed aircraft stay.
    void clearTables();

    // Loading beside the open traffic set, so that a load that fails leaves it as it was: a staging
    // database holds a copy of the installed aircraft (a load sets their speeds) and empty tables;
    // adopt() then takes every table of a complete load, the installed aircraft included, in place of
    // the current ones, which move to staged. The observers of this database's tables stay and see
    // one reset each.
    void copyInstalledAircraftTo(TrafficDatabase& staging) const;
    void adopt(TrafficDatabase& staged);

private:
    ChangeJournal m_journal; // first, so that it outlives the tables that record into it
    AircraftTable m_aircraft;
    MissingAircraftTable m_missing;
    InstalledAircraftTable m_installed;
    AirportTable m_airports;
    FlightTable m_flights;
    SortedList m_aircraftChoices;
    SortedList m_airportCodes;
};

// Makes every installed aircraft choosable: each installed title that neither aircraft table holds
// gets an AircraftTable row with the smallest free number above the one given before it (numbers
// held by either table are skipped), and the aircraft combo gets its two head entries.
void AddInstalledAircraft(TrafficDatabase& db);

// The title shown for a flight's aircraft number: the AircraftTable's title, else the
// MissingAircraftTable's with " (not installed)", else "".
std::string AircraftTitleOf(const TrafficDatabase& db, std::string_view number);

} // namespace corvane
