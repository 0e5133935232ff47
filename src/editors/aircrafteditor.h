#pragma once
// The Aircraft page without its widgets: the installed aircraft with the cruise speed the traffic
// uses for them, and the unknown aircraft of the traffic set, which can be removed or associated with
// an installed one. An installed aircraft and an AircraftTable row belong together by title.

#include "traffic/tableobserver.h"

#include <string>

namespace corvane {

class LegsEditor;
class Prompts;
class TrafficDatabase;

class AircraftEditor {
public:
    AircraftEditor(TrafficDatabase& db, LegsEditor& legs, Prompts& prompts);

    // fsAirLst's selected row (-1: none), speedTxt, and speedTxt's Tag: the 1-based position of the
    // AircraftTable row of the aircraft last clicked, or empty when it has none.
    int selectedInstalled() const { return m_installed; }
    const std::string& speedTxt() const { return m_speed; }
    std::string speedTag() const { return m_speedRow < 0 ? std::string() : std::to_string(m_speedRow + 1); }
    // missingAIRLst's selected row, -1 when none.
    int selectedMissing() const { return m_missing; }

    // fsAirLst_ItemClick: shows the speed of the aircraft's AircraftTable row (else its own), which
    // normalises both speeds to the number's text.
    void chooseInstalled(int row);
    // speedTxt_Change: the number goes into the AircraftTable row and the installed row, and the
    // arrival of the leg on screen is proposed again.
    void editSpeed(const std::string& text);

    void chooseMissing(int row);
    // "Remove": after the question, the unknown aircraft leaves the MissingAircraftTable; its flights
    // stay and are dropped with a message when the traffic is next written.
    void removeMissing();
    // "Associate" opens the association dialog only for a selected unknown aircraft.
    bool canAssociate() const;
    // After the association dialog removed the row: a neighbouring row becomes selected.
    void missingRowRemoved(int position);

private:
    // The AircraftTable row of the selected installed aircraft (-1: none), found by title.
    int findSpeedRow();

    TrafficDatabase& m_db;
    LegsEditor& m_legs;
    Prompts& m_prompts;
    int m_installed = -1;
    std::string m_speed;
    int m_speedRow = -1; // speedTxt's Tag, 0-based
    bool m_tagStale = false;
    int m_missing = -1;
    // A save or load rebuilds the aircraft tables: the Tag follows the installed aircraft's title to
    // its new row, and no unknown aircraft stays selected.
    ResetWatcher m_aircraftReset;
    ResetWatcher m_missingReset;
};

} // namespace corvane
