#include "editors/associationeditor.h"

#include "editors/statustexts.h"
#include "traffic/changejournal.h"
#include "traffic/fields.h"
#include "traffic/numbers.h"
#include "traffic/prompts.h"
#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>

namespace corvane {

namespace {

// Offered are aircraft at most 50 knots faster and at most 25 knots slower (for whole-knot speeds).
bool WithinSpeedWindow(double unknownSpeed, double speed) {
    const double difference = unknownSpeed - speed;
    return difference > -51 && difference < 26;
}

} // namespace

AssociationEditor::AssociationEditor(TrafficDatabase& db, Prompts& prompts)
    : m_db(db)
    , m_prompts(prompts) {}

bool AssociationEditor::canOpen(const TrafficDatabase& db, int selectedMissingRow) {
    return selectedMissingRow >= 0 && selectedMissingRow < db.missingAircraftTable().rowCount();
}

void AssociationEditor::load(int missingRow) {
    const MissingAircraftTable& missing = m_db.missingAircraftTable();
    m_candidates.clear();
    m_name.clear();
    m_speed.clear();
    m_number.clear();
    m_row = -1;
    m_selectedAfter = missingRow;
    if (!canOpen(m_db, missingRow)) return;
    m_row = missingRow;
    m_name = missing.cell(missingRow, MissingAircraftTable::Title);
    m_speed = missing.cell(missingRow, MissingAircraftTable::Speed);
    m_number = missing.cell(missingRow, MissingAircraftTable::Number);

    const double unknownSpeed = NumericValue(m_speed);
    const AircraftTable& aircraft = m_db.aircraftTable();
    for (int row = 0; row < aircraft.rowCount(); ++row)
        if (WithinSpeedWindow(unknownSpeed, NumericValue(aircraft.cell(row, AircraftTable::Speed))))
            m_candidates.push_back(aircraft.cell(row, AircraftTable::Title));
    std::stable_sort(m_candidates.begin(), m_candidates.end(), LessIgnoringCase());
}

int AssociationEditor::progressMaximum() const {
    return std::max(1, m_db.flightTable().count() / 10);
}

AssociationEditor::Result AssociationEditor::ok(const std::string& chosen) {
    AssociationBar none;
    return ok(chosen, none);
}

AssociationEditor::Result AssociationEditor::ok(const std::string& chosen, AssociationBar& bar) {
    if (chosen.empty()) return Result::Stay;
    if (m_row < 0) return Result::Close;
    const AircraftTable& aircraft = m_db.aircraftTable();
    const int target = aircraft.findByTitle(chosen);
    if (target < 0) {
        m_prompts.message("Corvane", "Error assosiate, cmdOK_Click, FI Is Nothing", Icon::Critical);
        return Result::Close;
    }
    const std::string newNumber = aircraft.cell(target, AircraftTable::Number);
    const std::string unknownNumber = CanonicalAircraftNumber(m_number);

    StepScope step(m_db.journal(), "Associate Aircraft");
    bar.started(progressMaximum());
    FlightTable& flights = m_db.flightTable();
    int shown = -1;
    int rewritten = 0;
    for (int i = 0; i < flights.count(); ++i) {
        // Deleted flights stay deleted.
        const std::string& line = flights.at(i);
        if (!line.empty() && CanonicalAircraftNumber(GetFieldView(line, 1, ',')) == unknownNumber) {
            flights.replace(i, SetField(line, 1, newNumber, ','));
            ++rewritten;
        }
        if (i / 10 != shown) bar.advanced(shown = i / 10);
    }
    m_status = AssociatedStatus(m_name, chosen, rewritten);

    MissingAircraftTable& missing = m_db.missingAircraftTable();
    missing.remove(m_row);
    m_selectedAfter = missing.isEmpty() ? -1 : std::min(m_row, missing.rowCount() - 1);
    m_row = -1;
    return Result::Close;
}

} // namespace corvane
