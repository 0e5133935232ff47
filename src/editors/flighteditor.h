#pragma once
// The FlightPlans page without its widgets: the airport whose flights are listed, the list of those
// flights, the header fields of the flight being edited and its legs (LegsEditor). The page binds its
// widgets to this state and calls one function per user action; every rule of the page lives here.
//
// The editor works on one flight at a time, the FlightTable entry CurrentFlightIndex (-1 for none).
// Header edits live in the fields until SaveToLST writes the whole flight back at the write-back
// points: choosing another airport or flight, adding a flight, leaving the page, saving, compiling.

#include "editors/legseditor.h"
#include "projects/session.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane {

// One row of flightsLst: the route summary, and the index of the flight in the FlightTable.
struct FlightRow {
    std::string summary;
    int index = -1;
    bool operator==(const FlightRow&) const = default;
};

// "HOME-AAAA-BBBB": the flight's home airport (where its first leg departs) and the stops in line
// order, cut with "..." once the text reaches 14 characters.
std::string RouteSummary(std::string_view line);

class FlightEditor final : public FlightEditorHooks {
public:
    explicit FlightEditor(Session& session);
    ~FlightEditor() override;

    // aptCom, infoLbl and flightsLst.
    const std::string& aptComText() const { return m_aptCom; }
    const std::string& infoLbl() const { return m_infoLbl; }
    const std::vector<FlightRow>& flightsLst() const { return m_flights; }
    int selectedFlightRow() const { return m_selectedFlight; }
    int flightsRevision() const { return m_flightsRevision; }
    int CurrentFlightIndex() const { return m_currentFlight; }
    const FlightHeader& header() const { return m_header; }
    LegsEditor& legs() { return m_legs; }
    const LegsEditor& legs() const { return m_legs; }

    // Type-ahead in aptCom: four letters list at once, a shorter code on Enter (more than two
    // letters). Each returns true when the combo's text should be shown fully selected.
    bool typeAirport(const std::string& text);
    bool enterAirport();
    // aptCom_Click: lists the flights that touch the airport of aptCom's text and loads the first.
    void chooseAirport();
    void chooseAirport(const std::string& code);
    // flightsLst_ItemClick.
    void chooseFlight(int row);
    // Lists the home airport of flight index (the FlightTable index) and loads that flight; with leg
    // (its 1-based position in the line), also puts that leg on screen by choosing the row of the
    // airport it departs from. False, and nothing changed, when the entry is empty or out of range.
    // With airport, that airport is listed instead when the flight is among its flights.
    bool showFlight(int index, int leg = 0, const std::string& airport = {});
    // The code of the airport last listed ("Flights at CODE"); "" before the first listing.
    std::string listedAirport() const;
    void addFlight();
    void deleteFlight();
    // The legs editor's "Add" and "Delete", each one step that stores the flight.
    void addLeg();
    void removeLeg();

    void chooseAircraft(const std::string& title);
    void editTail(const std::string& text);
    void editPercent(const std::string& text);
    void chooseRepeat(const std::string& period);
    void chooseRules(bool ifr);

    // The line of the editor's flight as SaveToLST would store it.
    std::string flightLine() const;
    // True when the fields hold edits that SaveToLST has not stored yet.
    bool holdsUnstoredEdits() const;
    void SaveToLST();
    void ReadFlightData();
    // ClearData's editor part.
    void ClearData(bool clearTables);
    // Stores the flight being edited and lets go of it (no flight is current afterwards), before
    // something else rewrites the FlightTable.
    void releaseFlight();
    // Lets go of the flight without storing it: after an undo or redo the table holds the truth.
    void forgetFlight();

    // FlightEditorHooks, for the commands.
    void storeFlight() override { SaveToLST(); }
    void clearEditor(bool clearTables) override { ClearData(clearTables); }
    void reloadFlight() override { ReadFlightData(); }
    void showFirstAirport() override;

private:
    Session& m_session;
    std::string m_aptCom;
    std::string m_infoLbl = "Flights at ...";
    std::vector<FlightRow> m_flights;
    int m_selectedFlight = -1;
    int m_flightsRevision = 0;
    int m_currentFlight = -1;
    FlightHeader m_header;
    LegsEditor m_legs;
};

} // namespace corvane
