#pragma once
// The FlightPlans page's search over every flight: a flight matches when its tail number, one of its
// flight numbers, one of its airports or the title of its aircraft holds the text, letter case and
// accents ignored (SearchFold). Each flight's searchable text is made once and made again only when
// the flight (or the aircraft tables) changed, so a keystroke over 100,000 flights stays quick.

#include "traffic/tableobserver.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TrafficDatabase;

class FlightSearch final {
public:
    explicit FlightSearch(const TrafficDatabase& db);
    ~FlightSearch();
    FlightSearch(const FlightSearch&) = delete;
    FlightSearch& operator=(const FlightSearch&) = delete;

    // Makes what is not yet made of the flights' searchable text (search does it when needed).
    void prepare() { refreshKeys(); }
    // The FlightTable indexes of the matching flights, in table order; the empty text matches none.
    const std::vector<int>& search(std::string_view text);
    const std::vector<int>& matches() const { return m_matches; }

    // What the result list shows for a flight: its route summary, tail number and aircraft title
    // (with " (not installed)" for an aircraft of the MissingAircraftTable).
    std::string summary(int index) const;
    std::string tail(int index) const;
    std::string aircraft(int index) const;

private:
    class Watcher;
    void refreshKeys();

    const TrafficDatabase& m_db;
    std::vector<std::string> m_keys;
    std::vector<bool> m_stale;
    bool m_allStale = true;
    std::vector<int> m_matches;
    std::vector<Watcher*> m_watchers;
};

} // namespace corvane
