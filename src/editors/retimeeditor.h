#pragma once
// "Set arrival times from cruise speeds..." without its widgets: the flights chosen as the filters
// choose them, what a run would change (shown before it runs) and the run, one step of undo.

#include "editors/bulkchangeeditor.h"
#include "editors/flightselectioneditor.h"
#include "filters/retime.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class RetimeEditor final : public BulkChangeEditor, public FlightSelectionEditor {
public:
    static constexpr std::string_view kCaption = "Set arrival times from cruise speeds";
    static constexpr std::string_view kInfo =
        "This sets the arrival time of every leg of the selected AI flights to its departure time plus the "
        "flight time Corvane proposes from the great-circle distance and the aircraft's cruise speed, as the "
        "legs editor proposes it. Legs for which no time can be proposed keep theirs.";

    RetimeEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts);

    // A choice the filters refuse is refused; else the counts of the flights chosen now.
    std::string previewText() const override;
    bool run(const FilterProgress& progress = {}, const std::function<void()>& ended = {}) override;

private:
    // What a run would do to each flight, worked out once: the choice changes with every key typed, the
    // traffic only with a run (the dialog is modal).
    mutable std::vector<RetimeCounts> m_flightCounts;
    mutable bool m_counted = false;
};

} // namespace corvane
