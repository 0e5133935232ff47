#pragma once
// What the dialogs of the bulk schedule changes share without their widgets: a text of what a run
// would change, shown before it runs, and the run, one step of undo that ends with its report. The
// flight editor stores its flight when a dialog opens, so that the count is of the traffic as it
// stands, and lets go of it before a run.

#include "filters/flightfilter.h"

#include <functional>
#include <string>

namespace corvane {

class FlightEditor;
class Prompts;
class TrafficDatabase;

class BulkChangeEditor {
public:
    BulkChangeEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts);
    virtual ~BulkChangeEditor() = default;

    // countLbl: why a run would be refused, or what it would change.
    virtual std::string previewText() const = 0;
    // runCmd: a refused run shows its message and changes nothing; else the change as one step, ended
    // (the dialog resets its progress bar) and the report. True when it ran.
    virtual bool run(const FilterProgress& progress = {}, const std::function<void()>& ended = {}) = 0;
    // What the last run did, for the status bar.
    const std::string& doneStatus() const { return m_status; }

protected:
    TrafficDatabase& m_db;
    FlightEditor& m_editor;
    Prompts& m_prompts;
    std::string m_status;
};

} // namespace corvane
