// The traffic check on any project file. The input holds two parts separated by a form feed: the
// project file and the titles of installed aircraft (one a line), so that aircraft can be missing.
// Properties:
//  - problems come in report order (flight, leg, check name), each on a non-empty flight, with a leg
//    no later than the flight's last and a message that is not empty;
//  - the counts agree with the problems;
//  - the flight-by-flight check hands over the same problems and messages.

#include "checks/trafficcheck.h"
#include "fuzzinput.h"
#include "platform/progress.h"
#include "platform/textfile.h"
#include "tablechecks.h"
#include "traffic/flightline.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const auto parts = SplitInput(InputText(data, size), 2);
    CountingPrompts prompts;
    NullProgress progress;
    TrafficDatabase db;
    InstallTitles(db, parts[1]);
    ReadProjectBytes(db, parts[0], ReadOptions{false, false, ""}, prompts, progress);
    AddInstalledAircraft(db);
    const std::vector<std::string>& lines = db.flightTable().lines();

    const CheckReport report = CheckTraffic(db, CheckOptions{static_cast<int>(size % 100)});
    Require(std::is_sorted(report.problems.begin(), report.problems.end(), ProblemBefore), "report order");
    int errors = 0;
    std::set<int> flights;
    for (const Problem& p : report.problems) {
        Require(p.flight >= 0 && p.flight < static_cast<int>(lines.size()), "flight in range");
        const std::string& line = lines[static_cast<std::size_t>(p.flight)];
        Require(!line.empty(), "a problem of a non-empty flight");
        Require(p.leg >= 0 && p.leg <= static_cast<int>(FlightDestinations(line).size()), "leg in range");
        Require(!report.message(p).empty(), "a message");
        errors += p.severity() == Severity::Error;
        flights.insert(p.flight);
    }
    Require(report.errors == errors, "error count");
    Require(report.warnings == static_cast<int>(report.problems.size()) - errors, "warning count");
    Require(report.flightsWithProblems == static_cast<int>(flights.size()), "flight count");
    Require(report.flightsWithErrors() <= report.flightsWithProblems, "flights with errors");

    std::size_t next = 0;
    const CheckReport counts =
        CheckTraffic(db, CheckOptions{static_cast<int>(size % 100)}, [&](const CheckReport& flight) {
            for (const Problem& p : flight.problems) {
                Require(next < report.problems.size(), "no more problems flight by flight");
                const Problem& q = report.problems[next++];
                Require(p.flight == q.flight && p.leg == q.leg && p.check == q.check, "the same problem");
                Require(flight.message(p) == report.message(q), "the same message");
            }
        });
    Require(next == report.problems.size() && counts.errors == report.errors &&
                counts.warnings == report.warnings,
            "flight by flight, the same check");
    return 0;
}
