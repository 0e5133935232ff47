#pragma once
// Everything the commands of a running Corvane work on: the traffic set, the program-wide state, and
// the doors to the user (prompts, progress), to the traffic tools and to the flight editor. The main
// window owns one Session for the whole run; tests build one with scripted doors.

#include "environment/programstate.h"
#include "platform/toolrunner.h"
#include "traffic/trafficdatabase.h"

#include <string>

namespace corvane {

class Progress;
class Prompts;
class Registry;

// What the commands need from the flight editor of the FlightPlans page. The editor lives above the
// commands; it plugs itself in here. Without an editor nothing happens.
class FlightEditorHooks {
public:
    virtual ~FlightEditorHooks() = default;
    // SaveToLST: store the flight being edited into the FlightTable.
    virtual void storeFlight() {}
    // ClearData's editor part: the editor back to its empty state, and with clearTables its list of
    // flights emptied too.
    virtual void clearEditor(bool /*clearTables*/) {}
    // ReadFlightData: reload the flight being edited (after the writers renumbered the aircraft).
    virtual void reloadFlight() {}
    // After a load: list the flights of the first airport.
    virtual void showFirstAirport() {}
};

struct Session {
    Session(Prompts& prompts, Progress& progress)
        : prompts(prompts)
        , progress(progress) {}

    TrafficDatabase db;
    ProgramState state;
    Prompts& prompts;
    Progress& progress;
    ToolRunner* tools = nullptr;
    // Where the traffic tools find the simulator: while one runs, its value names state.fsFolder
    // (ToolRegistration). Without it no tool runs.
    Registry* registry = nullptr;
    // How long a traffic tool may run before it is stopped and reported (the "Tool Time Limit
    // Minutes" setting).
    std::chrono::milliseconds toolTimeLimit = kDefaultToolTimeLimit;
    // The backup made by the last compile ("" when there was nothing to back up).
    std::string lastBackup;
    // Never null: without an editor, hooks that do nothing.
    FlightEditorHooks* editor = &NoEditor();

    // apt.dat in the program folder, found without regard to case.
    std::string aptPath() const;

    static FlightEditorHooks& NoEditor() {
        static FlightEditorHooks none;
        return none;
    }
};

// Resets the flight editor and, with clearTables, empties the tables of the traffic set and the
// editor's flights list; the installed aircraft stay.
void ClearData(Session& session, bool clearTables);

} // namespace corvane
