#include "editors/retimeeditor.h"

#include "editors/flighteditor.h"
#include "traffic/changejournal.h"
#include "traffic/prompts.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

RetimeEditor::RetimeEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts)
    : BulkChangeEditor(db, editor, prompts)
    , FlightSelectionEditor(db) {}

std::string RetimeEditor::previewText() const {
    if (const auto refused = CheckSelection(selection(), aircraftChosen())) return refused->text;
    return RetimePreviewText(PlanRetime(m_db, selection()).counts);
}

bool RetimeEditor::run(const FilterProgress& progress) {
    if (const auto refused = CheckSelection(selection(), aircraftChosen())) {
        m_prompts.ask(*refused);
        return false;
    }
    // The editor lets go of its flight, whose arrivals may change.
    m_editor.releaseFlight();
    RetimePlan plan = PlanRetime(m_db, selection(), progress);
    {
        StepScope step(m_db.journal(), std::string(kCaption));
        ApplyLineChanges(m_db.flightTable(), plan.changes);
    }
    m_prompts.message(std::string(kCaption), RetimeDoneText(plan.counts), Icon::Information);
    return true;
}

} // namespace corvane
