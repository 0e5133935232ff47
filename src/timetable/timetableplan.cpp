#include "timetable/timetableplan.h"

#include "platform/textfile.h"
#include "schedule/flighttime.h"
#include "timetable/csvtable.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace corvane {

namespace {

constexpr int kDay = kDaySecondsInTimetable;
constexpr int kWeek = kWeekSecondsInTimetable;

std::string ClockText(int seconds) {
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

// A departure or arrival as the flight line stores it.
std::string StoredTime(long long seconds, bool weekly) {
    if (!weekly) return ClockText(static_cast<int>(seconds % kDay));
    seconds %= kWeek;
    return std::to_string(seconds / kDay) + "/" + ClockText(static_cast<int>(seconds % kDay));
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

class Planner {
public:
    Planner(const TrafficDatabase& db, const AirportSources& sources, const TimetableOptions& options)
        : m_db(db)
        , m_sources(sources)
        , m_options(options) {}

    TimetablePlan run(const CsvTable& table) {
        TimetableRows rows = ReadTimetableRows(table, m_options.zoneIndex);
        m_plan.rows = rows.rowCount;
        if (!rows.error.empty()) {
            m_plan.error = std::move(rows.error);
            return std::move(m_plan);
        }
        m_plan.problems = std::move(rows.problems);
        m_legs = std::move(rows.legs);
        std::vector<int> aircraftOf(m_legs.size(), -1);
        for (std::size_t i = 0; i < m_legs.size(); ++i) {
            TimetableLeg& leg = m_legs[i];
            if (!leg.readable) continue;
            const bool from = resolveAirport(leg.from, leg.row);
            const bool to = resolveAirport(leg.to, leg.row);
            if (from && to && leg.from == leg.to) {
                problem(leg.row, "same-airport", leg.flight + " departs from and arrives at " + leg.to + ".",
                        true);
                continue;
            }
            const int aircraft = aircraftIndex(leg.aircraft, leg.row);
            if (from && to) aircraftOf[i] = aircraft;
        }

        TailSet usedTails = TailsInUse();
        warnTailsInUse(usedTails);
        RotationOptions rotationOptions;
        rotationOptions.turnaroundSeconds = m_options.turnaroundMinutes * 60;
        rotationOptions.maxLegs = m_options.maxLegs;
        rotationOptions.tailPattern = m_options.tailPattern;
        const std::vector<Rotation> rotations =
            BuildRotations(m_legs, aircraftOf, m_names, rotationOptions, usedTails, m_plan.problems);
        m_plan.rotations = static_cast<int>(rotations.size());
        estimateSpeeds(aircraftOf);
        for (const Rotation& rotation : rotations) addFlights(rotation);

        std::stable_sort(m_plan.problems.begin(), m_plan.problems.end(),
                         [](const TimetableProblem& a, const TimetableProblem& b) { return a.row < b.row; });
        m_plan.leftOut = static_cast<int>(std::count_if(m_plan.problems.begin(), m_plan.problems.end(),
                                                        [](const TimetableProblem& p) { return p.leftOut; }));
        return std::move(m_plan);
    }

private:
    void problem(int row, std::string code, const std::string& text, bool leftOut) {
        m_plan.problems.push_back(
            {row, std::move(code), "Row " + std::to_string(row) + ": " + text, leftOut});
    }

    bool knownAirport(std::string_view code) const {
        return m_db.airportTable().findByIcao(code) >= 0 || !m_sources.aptLine(code).empty();
    }

    // Puts the ICAO code in place of code; false (reported) when there is none.
    bool resolveAirport(std::string& code, int row) {
        const auto cached = m_airports.find(code);
        if (cached == m_airports.end()) {
            std::string resolved = code, why;
            const std::vector<std::string>& icao = m_sources.iata().icaoCodes(code);
            if (IataCodes::looksLikeIata(code) && icao.size() > 1) {
                std::string names;
                for (std::size_t k = 0; k < icao.size(); ++k)
                    names += (k == 0 ? "" : k + 1 == icao.size() ? " and " : ", ") + icao[k];
                why = "the IATA code " + code + " is shared by " + names +
                      "; write the ICAO code of the airport you mean.";
            } else if (IataCodes::looksLikeIata(code) && icao.size() == 1) {
                resolved = icao.front();
                if (!knownAirport(resolved))
                    why = "the IATA code " + code + " stands for " + resolved +
                          ", which is in neither the airport table nor apt.dat.";
            } else if (!knownAirport(code)) {
                why = code + " is neither an airport of the airport table or apt.dat nor an IATA code that "
                             "Corvane knows.";
            }
            m_airports.emplace(code, std::make_pair(why.empty() ? resolved : std::string(), why));
            return resolveAirport(code, row);
        }
        const auto& [resolved, why] = cached->second;
        if (!why.empty()) {
            problem(row, "unknown-airport", why, true);
            return false;
        }
        code = resolved;
        return true;
    }

    // The index of an aircraft text's aircraft in the plan, adding it on first use.
    int aircraftIndex(const std::string& text, int row) {
        const std::string key = Upper(text);
        if (const auto known = m_aircraftByText.find(key); known != m_aircraftByText.end())
            return known->second;
        const AircraftTable& table = m_db.aircraftTable();
        const MissingAircraftTable& missing = m_db.missingAircraftTable();
        const InstalledAircraftTable& installed = m_db.installedAircraftTable();
        TimetablePlan::Aircraft aircraft;
        std::string note;
        const auto byTitle = [&](std::string_view title) {
            if (const int r = table.findByTitle(title); r >= 0) {
                aircraft = {table.cell(r, AircraftTable::Title), table.cell(r, AircraftTable::Speed), true};
            } else if (const int r = missing.findByTitle(title); r >= 0) {
                aircraft = {missing.cell(r, MissingAircraftTable::Title),
                            missing.cell(r, MissingAircraftTable::Speed), false};
            } else if (const int r = installed.findByTitle(title); r >= 0) {
                aircraft = {installed.cell(r, InstalledAircraftTable::Title),
                            installed.cell(r, InstalledAircraftTable::Speed), true};
            } else {
                return false;
            }
            return true;
        };
        if (!byTitle(text)) {
            // The only available title that holds the text.
            std::vector<std::string> holders;
            std::unordered_set<std::string> seen;
            const auto look = [&](const std::string& title) {
                if (Upper(title).find(key) != std::string::npos && seen.insert(Upper(title)).second)
                    holders.push_back(title);
            };
            for (int r = 0; r < table.rowCount(); ++r) look(table.cell(r, AircraftTable::Title));
            for (int r = 0; r < installed.rowCount(); ++r)
                look(installed.cell(r, InstalledAircraftTable::Title));
            if (holders.size() == 1) {
                byTitle(holders.front());
            } else {
                aircraft = {text, "", false};
                if (holders.size() > 1) {
                    note = " matches " + std::to_string(holders.size()) + " installed titles (" + holders[0] +
                           ", " + holders[1] + (holders.size() > 2 ? ", ..." : "") + "), so none is taken";
                }
            }
        }
        if (!aircraft.installed)
            problem(row, "aircraft-not-installed",
                    "the aircraft " + Quoted(text) + (note.empty() ? " is not installed" : note) +
                        ": its flights get an unknown aircraft, to be associated with an "
                        "installed one on the Aircraft page.",
                    false);
        const auto [it, added] = m_aircraftByTitle.try_emplace(Upper(aircraft.title), m_names.size());
        if (added) {
            m_names.push_back(aircraft.title);
            m_plan.aircraft.push_back(std::move(aircraft));
        }
        m_aircraftByText.emplace(key, static_cast<int>(it->second));
        return static_cast<int>(it->second);
    }

    TailSet TailsInUse() const {
        TailSet tails;
        for (const std::string& line : m_db.flightTable().lines()) {
            if (line.empty()) continue;
            const std::string tail = Upper(TrimView(GetFieldView(line, 2, ',')));
            if (!tail.empty() && tail != "-") tails.insert(tail);
        }
        return tails;
    }

    void warnTailsInUse(const TailSet& used) {
        TailSet told;
        for (const TimetableLeg& leg : m_legs) {
            if (leg.tail.empty()) continue;
            const std::string tail = Upper(leg.tail);
            if (used.contains(tail) && told.insert(tail).second)
                problem(leg.row, "tail-in-use",
                        "the tail " + leg.tail + " is used by flights of the traffic set already.", false);
        }
    }

    // The position of an airport of the table or of apt.dat; false when it has none.
    bool position(std::string_view code, GeoPosition& where) const {
        const AirportTable& airports = m_db.airportTable();
        if (const int row = airports.findByIcao(code); row >= 0) {
            const std::string& latitude = airports.cell(row, AirportTable::Latitude);
            const std::string& longitude = airports.cell(row, AirportTable::Longitude);
            if (latitude.empty() || longitude.empty()) return false;
            where = PositionOf(latitude, longitude);
            return true;
        }
        const std::string_view line = m_sources.aptLine(code);
        if (line.empty()) return false;
        where = PositionOf(TrimView(GetFieldView(line, 2, ',')), TrimView(GetFieldView(line, 3, ',')));
        return true;
    }

    // An unknown aircraft's cruise speed from its legs: the speed at which the legs editor's flight
    // time (distance at the speed plus 900 s) gives each leg its timetable time; the median of them.
    void estimateSpeeds(const std::vector<int>& aircraftOf) {
        std::vector<std::vector<double>> speeds(m_plan.aircraft.size());
        for (std::size_t i = 0; i < m_legs.size(); ++i) {
            const int aircraft = aircraftOf[i];
            if (aircraft < 0 || m_plan.aircraft[static_cast<std::size_t>(aircraft)].installed) continue;
            if (!m_plan.aircraft[static_cast<std::size_t>(aircraft)].speed.empty()) continue;
            GeoPosition from, to;
            const TimetableLeg& leg = m_legs[i];
            if (!position(leg.from, from) || !position(leg.to, to) || leg.duration <= kLegAllowanceSeconds)
                continue;
            const double miles = (FlightSeconds(from, to, 1.0) - kLegAllowanceSeconds) / 3600;
            if (miles > 0)
                speeds[static_cast<std::size_t>(aircraft)].push_back(miles * 3600 /
                                                                     (leg.duration - kLegAllowanceSeconds));
        }
        for (std::size_t a = 0; a < speeds.size(); ++a) {
            TimetablePlan::Aircraft& aircraft = m_plan.aircraft[a];
            if (aircraft.installed || !aircraft.speed.empty()) continue;
            std::vector<double>& values = speeds[a];
            if (values.empty()) {
                aircraft.speed = "0";
                continue;
            }
            std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2),
                             values.end());
            aircraft.speed = NumberText(static_cast<double>(RoundHalfEven(values[values.size() / 2])));
        }
    }

    void addAirport(const std::string& code) {
        if (m_db.airportTable().findByIcao(code) >= 0 || !m_added.insert(code).second) return;
        std::string_view line = m_sources.aptLine(code);
        TextTable::Row row;
        for (int field = 0; field < 6; ++field) row.push_back(Trim(TakeField(line, ',')));
        m_plan.airports.push_back(std::move(row));
    }

    // The flights of a rotation; a rotation takes its traffic percent and flight rules from the first of
    // its legs that has them.
    void addFlights(const Rotation& rotation) {
        std::string percent, rules;
        bool mixed = false;
        for (const auto& flight : rotation.flights)
            for (const FlightLeg& fl : flight) {
                const TimetableLeg& leg = m_legs[static_cast<std::size_t>(fl.leg)];
                for (const auto& [value, taken] :
                     {std::pair{&leg.percent, &percent}, std::pair{&leg.rules, &rules}}) {
                    if (value->empty()) continue;
                    if (taken->empty())
                        *taken = *value;
                    else
                        mixed = mixed || *taken != *value;
                }
            }
        if (percent.empty()) percent = m_options.percent;
        if (rules.empty()) rules = m_options.ifr ? "IFR" : "VFR";
        if (mixed)
            problem(rotation.firstRow, "mixed-values",
                    "the legs of " + rotation.tail +
                        " differ in traffic percent or flight rules; its flights take " + percent +
                        " % and " + rules + ".",
                    false);
        for (const auto& flight : rotation.flights) {
            TimetablePlan::Flight planned;
            planned.aircraft = rotation.aircraft;
            planned.home = m_legs[static_cast<std::size_t>(flight.back().leg)].to;
            std::string& rest = planned.rest;
            rest = rotation.tail + "," + percent + "%," + (rotation.weekly ? "WEEK," : "24Hr,") + rules + ",";
            for (const FlightLeg& fl : flight) {
                const TimetableLeg& leg = m_legs[static_cast<std::size_t>(fl.leg)];
                rest += StoredTime(fl.departure, rotation.weekly) + "," +
                        StoredTime(static_cast<long long>(fl.departure) + leg.duration, rotation.weekly) +
                        "," + (leg.altitude.empty() ? m_options.altitude : leg.altitude) + ",F," +
                        leg.flight + "," + leg.to + ",";
                addAirport(leg.to);
            }
            m_plan.flights.push_back(std::move(planned));
        }
    }

    const TrafficDatabase& m_db;
    const AirportSources& m_sources;
    const TimetableOptions& m_options;
    TimetablePlan m_plan;
    std::vector<TimetableLeg> m_legs;
    // Code as written -> (ICAO code, why there is none).
    std::unordered_map<std::string, std::pair<std::string, std::string>> m_airports;
    std::unordered_map<std::string, int> m_aircraftByText;          // upper-case text -> plan aircraft
    std::unordered_map<std::string, std::size_t> m_aircraftByTitle; // upper-case title -> plan aircraft
    std::vector<std::string> m_names;                               // the titles of the plan's aircraft
    std::unordered_set<std::string> m_added;                        // airports taken from apt.dat
};

} // namespace

AirportSources::AirportSources(std::string aptBytes, std::string_view iataBytes)
    : m_apt(std::move(aptBytes))
    , m_iata(IataCodes::parse(iataBytes)) {
    LineCursor lines(m_apt);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view rest = line;
        const std::string code = Upper(TrimView(TakeField(rest, ',')));
        if (!code.empty()) m_lines.try_emplace(code, line);
    }
}

std::string_view AirportSources::aptLine(std::string_view code) const {
    const auto it = m_lines.find(Upper(code));
    return it == m_lines.end() ? std::string_view() : it->second;
}

TimetablePlan PlanTimetable(const TrafficDatabase& db, const CsvTable& table, const AirportSources& sources,
                            const TimetableOptions& options) {
    return Planner(db, sources, options).run(table);
}

void ApplyTimetablePlan(TrafficDatabase& db, const TimetablePlan& plan) {
    if (plan.flights.empty()) return;
    StepScope step(db.journal(), "Import Timetable");
    {
        TextTable::Batch rows(db.airportTable());
        SortedList::Batch codes(db.airportCodes());
        for (const TextTable::Row& airport : plan.airports) {
            if (db.airportTable().findByIcao(airport[0]) >= 0) continue;
            db.airportCodes().add(airport[0]);
            db.airportTable().add(airport);
        }
    }
    std::vector<std::string> numbers;
    std::int64_t counter = 0;
    for (const TimetablePlan::Aircraft& aircraft : plan.aircraft) {
        if (const int row = db.aircraftTable().findByTitle(aircraft.title); row >= 0) {
            numbers.push_back(db.aircraftTable().cell(row, AircraftTable::Number));
        } else if (const int row = db.missingAircraftTable().findByTitle(aircraft.title); row >= 0) {
            numbers.push_back(db.missingAircraftTable().cell(row, MissingAircraftTable::Number));
        } else {
            std::string number;
            do {
                number = "AC#" + std::to_string(++counter);
            } while (db.aircraftNumberInUse(number));
            if (aircraft.installed) {
                db.aircraftChoices().add(aircraft.title);
                db.aircraftTable().add({number, aircraft.speed, aircraft.title});
            } else {
                db.missingAircraftTable().add({aircraft.title, aircraft.speed, number});
            }
            numbers.push_back(std::move(number));
        }
    }
    std::vector<std::string> lines;
    lines.reserve(plan.flights.size());
    for (const TimetablePlan::Flight& flight : plan.flights)
        lines.push_back(numbers[static_cast<std::size_t>(flight.aircraft)] + "," + flight.rest);
    db.flightTable().appendLines(std::move(lines));
}

} // namespace corvane
