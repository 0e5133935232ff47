#pragma once
// The legs of the flight in the flight editor (legsLst and the fields of the leg on screen), and the
// week-time arithmetic between the GMT times stored in the rows and the local times shown.
//
// The rows are in the rotated order of the flight line (row 0 holds the LAST leg), so row r is the leg
// that arrives at the airport from which the leg of row r+1 departs. Choosing row r therefore puts on
// screen the leg that DEPARTS from r's airport, which is stored in the next row (nextRow, cyclically).
// Every edit goes straight into the rows; the flight line is rebuilt from them by SaveToLST.

#include "traffic/flightline.h"

#include <string>
#include <vector>

namespace corvane {

class Prompts;
class TrafficDatabase;

// The header fields of the flight being edited that the legs depend on.
struct FlightHeader {
    std::string aircraft; // the text of aircraftCom
    std::string tail;
    std::string percent = "100";
    std::string repeat = "24";
    bool ifr = true;
    bool weekly() const { return repeat == "WEEK"; }
};

struct LegFields {
    std::string depCom;
    std::string desCom;
    std::string depTxt = "00:00";
    std::string etaTxt = "00:00";
    int depDayCom = -1; // day list index, -1 when no day is shown
    int arrDayCom = -1;
    bool depDayEnabled = false;
    int depZoneCom = 12; // zone list index; 12 is GMT
    int arrZoneCom = 12;
    int depZoneTag = 12; // the zone the shown local time refers to
    int arrZoneTag = 12;
    std::string cruiseTxt = "100";
    std::string flightNrTxt;
    bool forceTailChk = false;
};

inline constexpr int kMaxLegs = 25;

class LegsEditor {
public:
    LegsEditor(const TrafficDatabase& db, const FlightHeader& header, Prompts& prompts);

    const std::vector<LegRow>& rows() const { return m_rows; }
    int selectedRow() const { return m_selected; }
    const LegFields& fields() const { return m_fields; }
    // Bumped whenever rows are added, removed or reordered, so views know to rebuild.
    int rowsRevision() const { return m_rowsRevision; }

    // Loads the rows of a flight and shows the leg that departs from row 0's airport.
    void setRows(std::vector<LegRow> rows);
    // The empty editor: no rows, fields at their defaults (zones stay as chosen).
    void clear();

    // legsLst_ItemClick: shows the leg departing from row's airport in local time.
    void chooseLeg(int row);
    // Inserts a stop after the selected row (at most 25 legs).
    void addLeg();
    // Removes the selected row's stop after asking (a flight keeps at least two legs).
    void removeLeg();

    // Type-ahead: a code is taken as soon as its fourth letter is typed, a shorter one on Enter.
    // Each returns true when the field's text should be shown fully selected.
    bool typeDeparture(const std::string& text);
    bool enterDeparture();
    bool typeDestination(const std::string& text);
    bool enterDestination();
    // The selected row's airport, also the destination of the leg before it.
    void chooseDeparture(const std::string& code);
    // The destination of the leg on screen, also the departure of the leg after it.
    void chooseDestination(const std::string& code);

    // Texts that would corrupt the flight line are refused with a message (see fieldcheck.h): a comma in
    // any field, a departure time whose minutes are not 00 to 59.
    void editDepartureTime(const std::string& text);
    void chooseDepartureDay(int day);
    void chooseDepartureZone(int zone);
    void chooseArrivalZone(int zone);
    void editAltitude(const std::string& text);
    void editFlightNumber(const std::string& text);
    void setTailFlag(bool checked);
    // The arrival day shown, set by the program only.
    void setArrivalDayShown(int day) { m_fields.arrDayCom = day; }

    // The repeat period changed: WEEK enables the departure day and starts every leg on Sunday.
    void repeatChanged();
    // Shows the day lists as the flight's repeat period wants them, without touching the rows.
    void showDaysForRepeat();

    // UpdateETA: converts the local departure time of the leg on screen to GMT and proposes the
    // arrival from the flight time; both are written into nextRow, the local arrival is shown.
    void UpdateETA();
    // Whole seconds to fly the leg on screen; 0 when it cannot be computed.
    int LegFlightSeconds() const;
    // The local text hh:mm of a GMT time hh:mm in zone; moves day to the local day for a WEEK flight.
    std::string GmtToLocal(const std::string& time, int zone, int& day) const;

    int nextRow() const;

private:
    LegRow* next();
    void zoneChanged(int zone, int& zoneCombo, int& tag, int& dayCombo, std::string& timeField);

    const TrafficDatabase& m_db;
    const FlightHeader& m_header;
    Prompts& m_prompts;
    std::vector<LegRow> m_rows;
    int m_selected = -1;
    LegFields m_fields;
    int m_rowsRevision = 0;
};

} // namespace corvane
