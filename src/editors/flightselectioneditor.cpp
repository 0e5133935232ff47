#include "editors/flightselectioneditor.h"

#include "traffic/sortedlist.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

FlightSelectionEditor::FlightSelectionEditor(const TrafficDatabase& db) {
    SortedList titles;
    {
        SortedList::Batch batch(titles);
        const AircraftTable& aircraft = db.aircraftTable();
        for (int row = 0; row < aircraft.rowCount(); ++row)
            if (!aircraft.cell(row, AircraftTable::Title).empty())
                titles.add(aircraft.cell(row, AircraftTable::Title));
    }
    m_titles = titles.entries();
}

void FlightSelectionEditor::chooseOption(FilterSelection::Kind option) {
    m_option = option;
    if (option != FilterSelection::Kind::Airport) m_icao.clear();
    if (option != FilterSelection::Kind::Aircraft) m_aircraft = -1;
}

void FlightSelectionEditor::editIcao(const std::string& text) {
    m_icao = Upper(text);
}

void FlightSelectionEditor::chooseAircraft(int index) {
    m_aircraft = index >= 0 && index < static_cast<int>(m_titles.size()) ? index : -1;
}

FilterSelection FlightSelectionEditor::selection() const {
    FilterSelection selection{m_option, m_icao, {}};
    if (m_option == FilterSelection::Kind::Aircraft && m_aircraft >= 0)
        selection.aircraftTitle = m_titles[static_cast<std::size_t>(m_aircraft)];
    return selection;
}

} // namespace corvane
