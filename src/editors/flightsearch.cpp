#include "editors/flightsearch.h"

#include "editors/flighteditor.h"
#include "traffic/fields.h"
#include "traffic/flightline.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <unordered_map>

namespace corvane {

// Marks flights whose searchable text must be made again: one flight when it changed, all of them
// when the table or an aircraft table was rebuilt.
class FlightSearch::Watcher final : public TableObserver {
public:
    Watcher(FlightSearch& search, ObserverList& observers, bool flights)
        : m_search(search)
        , m_observers(observers)
        , m_flights(flights) {
        m_observers.add(this);
    }
    ~Watcher() override { m_observers.remove(this); }
    void cellChanged(int row, int) override {
        if (!m_flights) return all();
        if (row < static_cast<int>(m_search.m_stale.size()))
            m_search.m_stale[static_cast<std::size_t>(row)] = true;
    }
    void rowsInserted(int, int) override { all(); }
    void rowsRemoved(int, int) override { all(); }
    void wasReset() override { all(); }

private:
    void all() { m_search.m_allStale = true; }

    FlightSearch& m_search;
    ObserverList& m_observers;
    bool m_flights;
};

namespace {

// The searchable text of a flight: its tail, flight numbers, airports and aircraft title, each folded
// and set apart by line ends, so that a match never runs from one into the next. Titles are looked up
// and folded once per aircraft number (titles holds them).
std::string KeyOf(const TrafficDatabase& db, std::string_view line,
                  std::unordered_map<std::string, std::string>& titles) {
    if (line.empty()) return {};
    std::string key;
    key.reserve(line.size() / 2 + 48);
    // Field 1 is the aircraft number, field 2 the tail; each leg's flight number and destination are
    // fields 6k+4 and 6k+5 (10 and 11, 16 and 17, ...). One pass over the line, comma by comma.
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    const char* p = begin;
    while (p != end && *p != ',') ++p;
    const std::string_view number(begin, static_cast<std::size_t>(p - begin));
    std::size_t position = 2;
    while (p != end) {
        const char* const start = ++p; // past the comma
        while (p != end && *p != ',') ++p;
        const bool wanted = position == 2 || (position >= 10 && (position % 6 == 4 || position % 6 == 5));
        if (wanted && p != start) {
            key += '\n';
            AppendSearchFold(key, std::string_view(start, static_cast<std::size_t>(p - start)));
        }
        ++position;
    }
    auto title = titles.find(std::string(number));
    if (title == titles.end())
        title = titles.emplace(std::string(number), SearchFold(AircraftTitleOf(db, number))).first;
    key += '\n';
    key += title->second;
    return key;
}

} // namespace

FlightSearch::FlightSearch(const TrafficDatabase& db)
    : m_db(db) {
    auto& tables = const_cast<TrafficDatabase&>(db); // observers only; the search changes nothing
    m_watchers.push_back(new Watcher(*this, tables.flightTable().observers(), true));
    m_watchers.push_back(new Watcher(*this, tables.aircraftTable().observers(), false));
    m_watchers.push_back(new Watcher(*this, tables.missingAircraftTable().observers(), false));
}

FlightSearch::~FlightSearch() {
    for (Watcher* watcher : m_watchers) delete watcher;
}

void FlightSearch::refreshKeys() {
    const auto& lines = m_db.flightTable().lines();
    if (m_allStale) {
        m_keys.assign(lines.size(), std::string());
        m_stale.assign(lines.size(), true);
        m_allStale = false;
    }
    std::unordered_map<std::string, std::string> titles;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!m_stale[i]) continue;
        m_keys[i] = KeyOf(m_db, lines[i], titles);
        m_stale[i] = false;
    }
}

const std::vector<int>& FlightSearch::search(std::string_view text) {
    m_matches.clear();
    const std::string folded = SearchFold(Trim(text));
    if (folded.empty()) return m_matches;
    refreshKeys();
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i].find(folded) != std::string::npos) m_matches.push_back(static_cast<int>(i));
    return m_matches;
}

std::string FlightSearch::summary(int index) const {
    return RouteSummary(m_db.flightTable().at(index));
}

std::string FlightSearch::tail(int index) const {
    return GetField(m_db.flightTable().at(index), 2, ',');
}

std::string FlightSearch::aircraft(int index) const {
    return AircraftTitleOf(m_db, GetFieldView(m_db.flightTable().at(index), 1, ','));
}

} // namespace corvane
