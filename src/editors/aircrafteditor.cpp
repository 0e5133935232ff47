#include "editors/aircrafteditor.h"

#include "editors/legseditor.h"
#include "traffic/changejournal.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>

namespace corvane {

AircraftEditor::AircraftEditor(TrafficDatabase& db, LegsEditor& legs, Prompts& prompts)
    : m_db(db)
    , m_legs(legs)
    , m_prompts(prompts)
    , m_aircraftReset(db.aircraftTable().observers(), [this] { m_tagStale = true; })
    , m_missingReset(db.missingAircraftTable().observers(), [this] { m_missing = -1; }) {}

int AircraftEditor::findSpeedRow() {
    m_tagStale = false;
    m_speedRow = -1;
    if (m_installed >= 0 && m_installed < m_db.installedAircraftTable().rowCount())
        m_speedRow = m_db.aircraftTable().findByTitle(
            m_db.installedAircraftTable().cell(m_installed, InstalledAircraftTable::Title));
    return m_speedRow;
}

void AircraftEditor::chooseInstalled(int row) {
    const InstalledAircraftTable& installed = m_db.installedAircraftTable();
    if (row < 0 || row >= installed.rowCount()) return;
    m_installed = row;
    const int aircraft = findSpeedRow();
    // Showing the speed changes the field, which stores it again as a number in both tables.
    editSpeed(aircraft >= 0 ? m_db.aircraftTable().cell(aircraft, AircraftTable::Speed)
                            : installed.cell(row, InstalledAircraftTable::Speed));
}

void AircraftEditor::editSpeed(const std::string& text) {
    if (m_tagStale) findSpeedRow();
    m_speed = text;
    StepScope step(m_db.journal(), "Edit Cruise speed");
    const std::string value = NumberText(NumericValue(text));
    if (m_speedRow >= 0 && m_speedRow < m_db.aircraftTable().rowCount())
        m_db.aircraftTable().setCell(m_speedRow, AircraftTable::Speed, value);
    if (m_installed >= 0 && m_installed < m_db.installedAircraftTable().rowCount())
        m_db.installedAircraftTable().setCell(m_installed, InstalledAircraftTable::Speed, value);
    m_legs.UpdateETA();
}

void AircraftEditor::chooseMissing(int row) {
    m_missing = row >= 0 && row < m_db.missingAircraftTable().rowCount() ? row : -1;
}

void AircraftEditor::removeMissing() {
    MissingAircraftTable& missing = m_db.missingAircraftTable();
    if (missing.isEmpty() || m_missing < 0 || m_missing >= missing.rowCount()) return;
    const std::string& title = missing.cell(m_missing, MissingAircraftTable::Title);
    if (!m_prompts.question("Remove AI Aircraft",
                            "WARNING: All flights connected to this aircraft will be deleted!\r\n\r\n"
                            "Are you sure you want to remove " +
                                title + " form this project?",
                            Icon::Exclamation, Answer::No))
        return;
    StepScope step(m_db.journal(), "Remove Aircraft");
    const int position = m_missing;
    missing.remove(position);
    missingRowRemoved(position);
}

bool AircraftEditor::canAssociate() const {
    return !m_db.missingAircraftTable().isEmpty() && m_missing >= 0 &&
           m_missing < m_db.missingAircraftTable().rowCount();
}

void AircraftEditor::missingRowRemoved(int position) {
    const int rows = m_db.missingAircraftTable().rowCount();
    m_missing = rows == 0 ? -1 : std::min(position, rows - 1);
}

} // namespace corvane
