#pragma once
// filterFrm without its widgets: one of the three filters (delete, percent, time), the selection of
// flights it runs over, its checks and its run. The dialog stays open after a run.

#include "editors/flightselectioneditor.h"
#include "filters/flightfilter.h"

#include <functional>
#include <string>

namespace corvane {

class FlightEditor;
class Prompts;
class TrafficDatabase;

class FilterEditor : public FlightSelectionEditor {
public:
    FilterEditor(FilterMode mode, TrafficDatabase& db, FlightEditor& editor, Prompts& prompts);

    // What the dialog shows for its mode.
    struct Texts {
        std::string caption;
        std::string info;  // infoLbl
        std::string info1; // info1Lbl; empty and hidden for Delete
        std::string info2; // info2Lbl
        bool valueShown;   // dataTxt
        bool info2RightAligned;
    };
    const Texts& texts() const { return m_texts; }
    FilterMode mode() const { return m_mode; }

    const std::string& value() const { return m_value; }
    void editValue(const std::string& text) { m_value = text; }

    // runCmd: the checks in order (a failed one shows its message and changes nothing), then the run over
    // the selection, ended (the dialog resets its progress bar), and "Done editing N flights!". True
    // when the filter ran.
    bool run(const FilterProgress& progress = {}, const std::function<void()>& ended = {});
    // What the last run did, for the status bar (FilterStatus); flights that were deleted already are
    // not counted.
    const std::string& doneStatus() const { return m_status; }

private:
    FilterMode m_mode;
    TrafficDatabase& m_db;
    FlightEditor& m_editor;
    Prompts& m_prompts;
    Texts m_texts;
    std::string m_value;
    std::string m_status;
};

} // namespace corvane
