#pragma once
// A session with scripted prompts and the FlightPlans page's editor, through which the other editors
// store the flight on screen before they change the traffic.

#include "editors/flighteditor.h"
#include "recordingprogress.h"
#include "scriptedprompts.h"

#include <string>

namespace corvane::test {

struct SessionFixture {
    ScriptedPrompts prompts;
    RecordingProgress progress;
    Session session{prompts, progress};
    FlightEditor flights{session};

    int add(const std::string& line) { return session.db.flightTable().append(line); }
    const std::string& line(int index) const { return session.db.flightTable().at(index); }
    // An airport in the table and in the airport combos.
    void addAirport(const std::string& code, const std::string& latitude = "N60* 0.0'",
                    const std::string& longitude = "E10* 0.0'", const std::string& name = "-") {
        session.db.airportTable().add({code, latitude, longitude, "0", name, "-"});
        session.db.airportCodes().add(code);
    }
};

} // namespace corvane::test
