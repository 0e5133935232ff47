#include "editors/retimeeditor.h"

#include "editors/flighteditor.h"
#include "editors/statustexts.h"
#include "traffic/changejournal.h"
#include "traffic/prompts.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

RetimeEditor::RetimeEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts)
    : BulkChangeEditor(db, editor, prompts)
    , FlightSelectionEditor(db) {}

std::string RetimeEditor::previewText() const {
    if (const auto refused = CheckSelection(selection(), aircraftChosen())) return refused->text;
    const FlightTable& flights = m_db.flightTable();
    if (!m_counted) {
        Retimer retimer(m_db);
        m_flightCounts.assign(static_cast<std::size_t>(flights.count()), RetimeCounts{1});
        for (int i = 0; i < flights.count(); ++i)
            if (!flights.at(i).empty())
                retimer.retimed(flights.at(i), m_flightCounts[static_cast<std::size_t>(i)]);
        m_counted = true;
    }
    const FlightSelector selector(m_db, selection());
    RetimeCounts counts;
    for (int i = 0; i < flights.count() && i < static_cast<int>(m_flightCounts.size()); ++i)
        if (selector.selects(flights.at(i))) counts += m_flightCounts[static_cast<std::size_t>(i)];
    return RetimePreviewText(counts);
}

bool RetimeEditor::run(const FilterProgress& progress, const std::function<void()>& ended) {
    if (const auto refused = CheckSelection(selection(), aircraftChosen())) {
        m_prompts.ask(*refused);
        return false;
    }
    // The editor lets go of its flight, whose arrivals may change.
    m_editor.releaseFlight();
    RetimePlan plan = PlanRetime(m_db, selection(), progress);
    m_counted = false; // the next count is of the traffic the run leaves
    {
        StepScope step(m_db.journal(), std::string(kCaption));
        ApplyLineChanges(m_db.flightTable(), plan.changes);
    }
    m_status = RetimeStatus(plan.counts);
    if (ended) ended();
    m_prompts.message(std::string(kCaption), RetimeDoneText(plan.counts), Icon::Information);
    return true;
}

} // namespace corvane
