#include "editors/airporteditor.h"

#include "editors/fieldcheck.h"
#include "editors/legseditor.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/prompts.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

const char* const kAirportHeaders[6] = {"ICAO", "Latitude", "Longitude", "Elevation", "Airport", "Country"};

CoordinateParts SplitCoordinate(std::string_view coordinate) {
    CoordinateParts parts;
    parts.hemisphere = Upper(TrimView(coordinate.substr(0, 1)));
    if (!Contains(coordinate, '*')) return parts;
    std::string minutes = LastField(coordinate, '*');
    parts.minutes = Trim(TakeField(minutes, '\''));
    std::string degrees = Trim(TrimBackTo(coordinate, '*'));
    if (!degrees.empty()) degrees.pop_back();
    parts.degrees = degrees.empty() ? std::string() : degrees.substr(1);
    return parts;
}

std::string JoinCoordinate(const CoordinateParts& parts) {
    return parts.hemisphere + parts.degrees + "* " + parts.minutes + "'";
}

AirportEditor::AirportEditor(TrafficDatabase& db, LegsEditor& legs, Prompts& prompts)
    : m_db(db)
    , m_legs(legs)
    , m_prompts(prompts)
    , m_order(db.airportTable())
    , m_tableReset(db.airportTable().observers(), [this] { m_selected = -1; }) {}

void AirportEditor::chooseRow(int tableRow) {
    const AirportTable& airports = m_db.airportTable();
    if (tableRow < 0 || tableRow >= airports.rowCount()) return;
    m_selected = tableRow;
    m_fields.aptIcaoTxt = airports.cell(tableRow, AirportTable::Icao);
    m_fields.aptNameTxt = airports.cell(tableRow, AirportTable::Name);
    m_fields.aptCountryTxt = airports.cell(tableRow, AirportTable::Country);
    m_fields.aptElevTxt = airports.cell(tableRow, AirportTable::Elevation);
    const CoordinateParts latitude = SplitCoordinate(airports.cell(tableRow, AirportTable::Latitude));
    const CoordinateParts longitude = SplitCoordinate(airports.cell(tableRow, AirportTable::Longitude));
    m_fields.aptLon1 = latitude.hemisphere;
    m_fields.aptLon2 = latitude.degrees;
    m_fields.aptLon3 = latitude.minutes;
    m_fields.aptLat1 = longitude.hemisphere;
    m_fields.aptLat2 = longitude.degrees;
    m_fields.aptLat3 = longitude.minutes;
}

void AirportEditor::clickHeader(int column) {
    if (column < 0 || column > 5) return;
    if (m_tag == kAirportHeaders[column]) {
        m_order.sortBy(m_order.sortColumn(), !m_order.ascending());
        return;
    }
    m_tag = kAirportHeaders[column];
    m_order.sortBy(column, true);
}

void AirportEditor::editName(const std::string& text) {
    if (m_selected < 0 || RefuseComma(m_prompts, text)) return;
    StepScope step(m_db.journal(), "Edit Airport");
    m_fields.aptNameTxt = text;
    m_db.airportTable().setCell(m_selected, AirportTable::Name, text);
}

void AirportEditor::editCountry(const std::string& text) {
    if (m_selected < 0 || RefuseComma(m_prompts, text)) return;
    StepScope step(m_db.journal(), "Edit Airport");
    m_fields.aptCountryTxt = text;
    m_db.airportTable().setCell(m_selected, AirportTable::Country, text);
}

void AirportEditor::editElevation(const std::string& text) {
    if (m_selected < 0 || RefuseComma(m_prompts, text)) return;
    StepScope step(m_db.journal(), "Edit Airport");
    m_fields.aptElevTxt = text;
    m_db.airportTable().setCell(m_selected, AirportTable::Elevation, text);
}

void AirportEditor::writeCoordinate(int column, CoordinateParts parts) {
    if (m_selected < 0) return;
    const std::string coordinate = JoinCoordinate(parts);
    if (RefuseComma(m_prompts, coordinate)) return;
    StepScope step(m_db.journal(), "Edit Airport");
    std::string* const fields[2][3] = {{&m_fields.aptLon1, &m_fields.aptLon2, &m_fields.aptLon3},
                                       {&m_fields.aptLat1, &m_fields.aptLat2, &m_fields.aptLat3}};
    auto* row = fields[column == AirportTable::Latitude ? 0 : 1];
    *row[0] = std::move(parts.hemisphere);
    *row[1] = std::move(parts.degrees);
    *row[2] = std::move(parts.minutes);
    m_db.airportTable().setCell(m_selected, column, coordinate);
    m_legs.UpdateETA();
}

void AirportEditor::editLatitude(const std::string& hemisphere, const std::string& degrees,
                                 const std::string& minutes) {
    writeCoordinate(AirportTable::Latitude, {hemisphere, degrees, minutes});
}

void AirportEditor::editLongitude(const std::string& hemisphere, const std::string& degrees,
                                  const std::string& minutes) {
    writeCoordinate(AirportTable::Longitude, {hemisphere, degrees, minutes});
}

void AirportEditor::addAirport() {
    const auto answer = m_prompts.input({"ICAO code", "Enter the ICAO code for the new airport", ""});
    if (!answer || answer->empty() || RefuseComma(m_prompts, *answer)) return;
    const std::string code = Upper(*answer);
    AirportTable& airports = m_db.airportTable();
    if (airports.findByIcao(code) >= 0) {
        m_prompts.message("Already added", code + " is already added to the list!", Icon::Exclamation);
        return;
    }
    StepScope step(m_db.journal(), "Add Airport");
    const int row = airports.add({code, "N0* 0.0'", "W0* 0.0'", "0", "-", "-"});
    m_db.airportCodes().add(code); // aptCom, desCom and depCom share this list
    chooseRow(row);
}

void AirportEditor::deleteAirport() {
    AirportTable& airports = m_db.airportTable();
    if (airports.isEmpty() || m_selected < 0) return;
    const std::string code = airports.cell(m_selected, AirportTable::Icao);
    if (!m_prompts.question("Delete AI Airport",
                            "WARNING: All flights connected to this airport will be deleted!\r\n\r\n"
                            "Are you sure you want to remove " +
                                code + " form this project?",
                            Icon::Exclamation, Answer::No))
        return;
    StepScope step(m_db.journal(), "Delete Airport");
    const int position = m_order.position(m_selected);
    airports.remove(m_selected);
    m_db.airportCodes().removeFirst(code);
    m_selected = -1;
    // The row that moved into the deleted one's place is selected; after the last, the new last.
    if (m_order.count() > 0) chooseRow(m_order.tableRow(std::min(position, m_order.count() - 1)));
}

} // namespace corvane
