#pragma once
// The choice of flights in the dialogs that change many at once (the filters, the retime): all
// flights, those that fly to an airport whose code begins with a text, or those of one aircraft.

#include "filters/flightfilter.h"

#include <string>
#include <vector>

namespace corvane {

class TrafficDatabase;

class FlightSelectionEditor {
public:
    explicit FlightSelectionEditor(const TrafficDatabase& db);
    virtual ~FlightSelectionEditor() = default;

    // airCom: the AircraftTable's titles, empty ones left out, sorted as combos sort.
    const std::vector<std::string>& aircraftTitles() const { return m_titles; }

    FilterSelection::Kind option() const { return m_option; }
    const std::string& icaoText() const { return m_icao; }
    int aircraftIndex() const { return m_aircraft; }

    void chooseOption(FilterSelection::Kind option);
    // The prefix is kept in upper case.
    void editIcao(const std::string& text);
    void chooseAircraft(int index);

    // The flights chosen, as the filters take them.
    FilterSelection selection() const;
    bool aircraftChosen() const { return m_aircraft >= 0; }

private:
    std::vector<std::string> m_titles;
    FilterSelection::Kind m_option = FilterSelection::Kind::All;
    std::string m_icao;
    int m_aircraft = -1;
};

} // namespace corvane
