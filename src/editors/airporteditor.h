#pragma once
// The Airports page without its widgets: the airport list in its chosen order, the fields of the
// selected airport, and adding and deleting airports. Every edit goes straight into the selected row;
// nothing is buffered. The three airport combos of the flight editor are kept in step.
//
// The coordinate rows are named crosswise: aptLon1..3 hold the LATITUDE (hemisphere N/S, degrees,
// minutes), aptLat1..3 the LONGITUDE (E/W, degrees, minutes).

#include "editors/airportorder.h"

#include <string>

namespace corvane {

class LegsEditor;
class Prompts;
class TrafficDatabase;

struct AirportFields {
    std::string aptIcaoTxt;
    std::string aptNameTxt;
    std::string aptCountryTxt;
    std::string aptElevTxt;
    std::string aptLon1, aptLon2, aptLon3; // latitude: hemisphere, degrees, minutes
    std::string aptLat1, aptLat2, aptLat3; // longitude: hemisphere, degrees, minutes
};

// The parts of a coordinate text: N47* 27.6' gives N, 47 and 27.6. A text without "*" has no degrees
// and no minutes.
struct CoordinateParts {
    std::string hemisphere;
    std::string degrees;
    std::string minutes;
};
CoordinateParts SplitCoordinate(std::string_view coordinate);
std::string JoinCoordinate(const CoordinateParts& parts);

class AirportEditor {
public:
    AirportEditor(TrafficDatabase& db, LegsEditor& legs, Prompts& prompts);

    AirportOrder& order() { return m_order; }
    // The AirportTable row shown in the fields, -1 when none.
    int selectedRow() const { return m_selected; }
    const AirportFields& fields() const { return m_fields; }
    // The Tag of the list: the caption of the sort column.
    const std::string& sortTag() const { return m_tag; }

    // aptLST_ItemClick, with a row of the AirportTable.
    void chooseRow(int tableRow);
    // aptLST_ColumnClick: the same column again reverses the order, another sorts ascending by it.
    void clickHeader(int column);

    void editName(const std::string& text);
    void editCountry(const std::string& text);
    void editElevation(const std::string& text);
    void editLatitude(const std::string& hemisphere, const std::string& degrees, const std::string& minutes);
    void editLongitude(const std::string& hemisphere, const std::string& degrees, const std::string& minutes);

    void addAirport();
    void deleteAirport();

private:
    void writeCoordinate(int column, CoordinateParts parts);

    TrafficDatabase& m_db;
    LegsEditor& m_legs;
    Prompts& m_prompts;
    AirportOrder m_order;
    int m_selected = -1;
    ResetWatcher m_tableReset; // a new table: no row is selected
    AirportFields m_fields;
    std::string m_tag = "ICAO";
};

// The list's header captions, in column order.
extern const char* const kAirportHeaders[6];

} // namespace corvane
