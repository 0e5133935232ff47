#pragma once
// The tables, the flight header and the legs editor that the page editors lean on (they propose new
// arrivals through it), with scripted prompts.

#include "editors/legseditor.h"
#include "scriptedprompts.h"
#include "traffic/trafficdatabase.h"

namespace corvane::test {

struct LegsFixture {
    TrafficDatabase db;
    FlightHeader header;
    ScriptedPrompts prompts;
    LegsEditor legs{db, header, prompts};
};

} // namespace corvane::test
