#pragma once
// assosiateFrm without its widgets: associates one unknown aircraft (a MissingAircraftTable row) with an
// aircraft of the AircraftTable. Every flight of the unknown aircraft then uses the chosen aircraft's
// number, and the unknown aircraft leaves the MissingAircraftTable. The chosen aircraft's own row is
// not changed.

#include <string>
#include <vector>

namespace corvane {

class Prompts;
class TrafficDatabase;

// The progress bar PB while OK rewrites the flights.
class AssociationBar {
public:
    virtual ~AssociationBar() = default;
    // OK has started: hide Label3 and comFSAir, disable OK and Cancel, show PB with this maximum.
    virtual void started(int /*maximum*/) {}
    // The bar's new value; the event loop may turn here.
    virtual void advanced(int /*value*/) {}
};

class AssociationEditor {
public:
    AssociationEditor(TrafficDatabase& db, Prompts& prompts);

    // linkAirCmd_Click: the dialog opens only for a selected row of a non-empty MissingAircraftTable.
    static bool canOpen(const TrafficDatabase& db, int selectedMissingRow);

    // Form_Load for the unknown aircraft in row missingRow of the MissingAircraftTable: its name and
    // speed, and as candidates the titles of the AircraftTable rows whose speed s satisfies
    // T - s > -51 and T - s < 26 (T the unknown aircraft's speed), sorted as the combo sorts them.
    void load(int missingRow);

    const std::string& txtName() const { return m_name; }
    const std::string& txtSpeed() const { return m_speed; }
    const std::vector<std::string>& comFSAir() const { return m_candidates; }

    // PB's maximum for the current FlightTable: a tenth of its entries, at least 1.
    int progressMaximum() const;

    enum class Result { Stay, Close };
    // cmdOK_Click with the text comFSAir shows ("" for no item). With no item nothing happens and the
    // dialog stays. Otherwise every flight of the unknown aircraft is rewritten to the chosen one's
    // number and the unknown aircraft is removed; the dialog closes (also after the error message for a
    // title that no AircraftTable row holds).
    Result ok(const std::string& chosen, AssociationBar& bar);
    Result ok(const std::string& chosen);
    // cmdCancel_Click: closes without change.
    Result cancel() { return Result::Close; }

    // The MissingAircraftTable row to select after the association (a neighbour of the removed
    // row), or -1 when the table is empty.
    int selectedMissingRow() const { return m_selectedAfter; }
    // What the last OK did, for the status bar (AssociatedStatus); empty when it did nothing.
    const std::string& doneStatus() const { return m_status; }

private:
    TrafficDatabase& m_db;
    Prompts& m_prompts;
    int m_row = -1;
    std::string m_name;
    std::string m_speed;
    std::string m_number;
    std::vector<std::string> m_candidates;
    int m_selectedAfter = -1;
    std::string m_status;
};

} // namespace corvane
