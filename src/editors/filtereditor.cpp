#include "editors/filtereditor.h"

#include "editors/flighteditor.h"
#include "editors/statustexts.h"
#include "traffic/changejournal.h"
#include "traffic/prompts.h"
#include "traffic/trafficdatabase.h"

namespace corvane {

namespace {

FilterEditor::Texts TextsFor(FilterMode mode) {
    switch (mode) {
    case FilterMode::Delete:
        return {"Filter - Delete",
                "Instead of deleting one single flight at a time, this filter allows you do delete a "
                "selection of AI "
                "flights. Use the options below to choose a selection of AI flights that you want to delete.",
                "",
                "Delete AI flights",
                false,
                true};
    case FilterMode::Percent:
        return {"Filter - Traffic Percent",
                "This filter allows you to change the Traffic Percent of the selected flights. This function "
                "is handy "
                "if you would like to ''hide'' some flights while showing other AI flights.",
                "Set new Traffic Percet:",
                "%",
                true,
                false};
    case FilterMode::Time:
        return {"Filter - Change flight departure time",
                "This filter allows you to change the departure time of the selected AI flights. For "
                "instance your "
                "may increase / decrease departure time by one hour to simulate daylight saving time and "
                "standard "
                "time.",
                "Set departure time difference:",
                "hour(s)",
                true,
                false};
    }
    return {};
}

} // namespace

FilterEditor::FilterEditor(FilterMode mode, TrafficDatabase& db, FlightEditor& editor, Prompts& prompts)
    : FlightSelectionEditor(db)
    , m_mode(mode)
    , m_db(db)
    , m_editor(editor)
    , m_prompts(prompts)
    , m_texts(TextsFor(mode)) {}

bool FilterEditor::run(const FilterProgress& progress, const std::function<void()>& ended) {
    const FilterSelection chosen = selection();
    const Filter filter{m_mode, m_value};
    if (const auto refused = CheckFilter(filter, chosen, aircraftChosen())) {
        m_prompts.ask(*refused);
        return false;
    }
    // The editor stores the flight it holds and lets go of it, so that no edit is lost and the filter
    // sees every flight as it stands.
    m_editor.releaseFlight();
    const int flightsBefore = m_db.flightTable().nonEmptyCount();
    int changed = 0;
    {
        StepScope step(m_db.journal(), m_texts.caption);
        changed = RunFilter(m_db, filter, chosen, progress);
    }
    // Selections by airport or aircraft hold no deleted flight; all flights hold them too.
    const int flights = m_mode == FilterMode::Delete ? flightsBefore - m_db.flightTable().nonEmptyCount()
                        : option() == FilterSelection::Kind::All ? flightsBefore
                                                                 : changed;
    m_status = FilterStatus(m_mode, m_value, flights);
    if (ended) ended();
    m_prompts.message("Corvane", FilterDoneText(changed), Icon::Information);
    return true;
}

} // namespace corvane
