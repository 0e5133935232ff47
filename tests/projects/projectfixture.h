#pragma once
// A session in a program folder of its own (with a small apt.dat) and scripted doors, for the
// command tests.

#include "projects/session.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"
#include "tempdir.h"

namespace corvane::test {

// Counts what the commands ask of the flight editor.
struct CountingEditor : FlightEditorHooks {
    int stored = 0, cleared = 0, reloaded = 0, shown = 0;
    void storeFlight() override { ++stored; }
    void clearEditor(bool) override { ++cleared; }
    void reloadFlight() override { ++reloaded; }
    void showFirstAirport() override { ++shown; }
};

struct ProjectFixture {
    TempDir dir;
    ScriptedPrompts prompts;
    RecordingProgress progress;
    Session session{prompts, progress};
    CountingEditor editor;

    ProjectFixture() {
        session.state.programFolder = dir.mkdir("program");
        session.state.fsFolder = dir.mkdir("FS2002");
        dir.write("program/apt.dat", "KSEA,N47* 26.88',W122* 18.62',433,Seattle Tacoma,United States\r\n"
                                     "KBFI,N47* 31.62',W122* 18.00',21,Boeing Field,United States\r\n");
        session.editor = &editor;
        session.db.installedAircraftTable().add({"Boeing 737-400", "430", "430"});
    }
    // One flight between the two airports of apt.dat.
    void addFlight() {
        if (session.db.airportTable().isEmpty()) {
            session.db.airportTable().add({"KSEA", "N47* 26.88'", "W122* 18.62'", "433", "Seattle", "US"});
            session.db.airportTable().add(
                {"KBFI", "N47* 31.62'", "W122* 18.00'", "21", "Boeing Field", "US"});
        }
        if (session.db.aircraftTable().findByNumber("AC#1") < 0)
            session.db.aircraftTable().add({"AC#1", "430", "Boeing 737-400"});
        session.db.flightTable().append(
            "AC#1,N1,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,");
    }
};

} // namespace corvane::test
