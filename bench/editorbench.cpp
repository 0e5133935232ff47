#include "editorbench.h"

#include "editors/airportboardeditor.h"
#include "editors/airporteditor.h"
#include "editors/flighteditor.h"
#include "editors/flightsearch.h"
#include "filters/flightfilter.h"
#include "filters/retime.h"
#include "platform/progress.h"
#include "projects/exportcriteria.h"
#include "projects/exportproject.h"
#include "projects/importproject.h"
#include "report.h"
#include "timing.h"
#include "traffic/changejournal.h"
#include "traffic/flightline.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"
#include "trafficbench.h"

#include <cstdio>
#include <map>
#include <stdexcept>

namespace corvane {

namespace {

constexpr double kListingBar = 0.050;
constexpr double kBoardBar = 0.100;
constexpr double kFlightRoundTripBar = 0.001;
constexpr double kSortBar = 0.200;
constexpr double kFilterBar = 1.0;
constexpr double kRetimeBar = 1.0;
constexpr double kJournalRatioBar = 1.5;
constexpr double kUndoBar = 0.2;
constexpr double kJournalMemoryBar = 2.0;
constexpr double kExportBar = 1.0;
constexpr double kMergeBar = 2.0;
constexpr std::size_t kSelectionSize = 10'000;

// The destination that most flights fly to: the busiest airport of the set.
std::string BusiestAirport(const FlightTable& flights) {
    std::map<std::string, int> visits;
    for (const std::string& line : flights.lines())
        for (std::string_view code : FlightDestinations(line)) ++visits[std::string(code)];
    auto best = visits.begin();
    for (auto it = visits.begin(); it != visits.end(); ++it)
        if (it->second > best->second) best = it;
    return best == visits.end() ? std::string() : best->first;
}

std::string TwentyFiveLegs(const std::string& home) {
    std::string line = "AC#1,N25LEG,100%,24Hr,IFR,";
    for (int leg = 0; leg < 25; ++leg)
        line += "08:00:00,09:00:00,330,F," + std::to_string(leg) + "," +
                (leg == 24 ? home : "ZZ" + std::to_string(leg)) + ",";
    return line;
}

} // namespace

void RunEditorBenchmarks(const TrafficBenchSetup& setup, Report& report) {
    CountingPrompts prompts;
    NullProgress progress;
    Session session(prompts, progress);
    InstallAircraft(session.db, GenerateInstalledAircraft(setup.size));
    if (!ReadProjectFile(session.db, setup.files.project, ReadOptions{false, true, setup.files.apt}, prompts,
                         progress))
        throw std::runtime_error("the traffic set could not be read");
    FlightEditor editor(session);

    const std::string busy = BusiestAirport(session.db.flightTable());
    std::size_t listed = 0;
    const double listing = BestOf(setup.repetitions, [&] {
        editor.chooseAirport(busy);
        listed = editor.flightsLst().size();
    });
    report.limit("list " + std::to_string(listed) + " flights of " + busy, listing, kListingBar);
    // The generated airports share the traffic evenly; a real hub has thousands of flights. The empty
    // code lists every flight: the worst case of the listing, shown without a bar.
    const double everything = BestOf(setup.repetitions, [&] {
        editor.chooseAirport("");
        listed = editor.flightsLst().size();
    });
    char line[128];
    std::snprintf(line, sizeof line, "%-34s %9.3f ms   (every flight listed; no bar)",
                  ("list all " + std::to_string(listed) + " flights").c_str(), everything * 1000);
    report.note(line);

    // The airport board of the busiest airport, as the window builds it: the airport's traffic read from
    // every flight, the board in a zone of its own and its tables in time order.
    AirportBoardEditor board(session);
    board.chooseZone(13);
    std::size_t movements = 0;
    const double boardTime = BestOf(setup.repetitions, [&] {
        board.chooseAirport(busy);
        movements = board.board().departures.size() + board.board().arrivals.size();
    });
    report.limit("airport board of " + busy + " (" + std::to_string(movements) + " movements)", boardTime,
                 kBoardBar);

    // The search over every flight: its searchable text made from nothing, then one search.
    std::size_t found = 0;
    const double making = BestOf(setup.repetitions, [&] {
        FlightSearch search(session.db);
        search.prepare();
    });
    FlightSearch search(session.db);
    search.prepare();
    const double searching = BestOf(setup.repetitions, [&] { found = search.search("N8").size(); });
    report.limit("make the searchable text of " + std::to_string(session.db.flightTable().count()) +
                     " flights",
                 making, kListingBar);
    report.limit("search them for \"n8\" (" + std::to_string(found) + " found)", searching, kListingBar);

    const int index = session.db.flightTable().append(TwentyFiveLegs("YY25"));
    editor.chooseAirport("N25LEG"); // the tail number is unique: one row
    constexpr int kRounds = 1000;
    const double rounds = BestOf(setup.repetitions, [&] {
        for (int i = 0; i < kRounds; ++i) {
            editor.ReadFlightData();
            editor.SaveToLST();
        }
    });
    if (editor.CurrentFlightIndex() != index || editor.legs().rows().size() != 25)
        report.note("the 25-leg flight was not loaded", true);
    report.limit("ReadFlightData + SaveToLST, 25 legs", rounds / kRounds, kFlightRoundTripBar);

    AirportEditor airports(session.db, editor.legs(), prompts);
    for (int column = 0; column < 6; ++column) {
        const double sort = BestOf(setup.repetitions, [&] {
            airports.order().sortBy(column, column % 2 == 0);
            (void)airports.order().tableRow(0); // the order is made when first read
        });
        report.limit("sort " + std::to_string(airports.order().count()) + " airports by " +
                         kAirportHeaders[column],
                     sort, kSortBar);
    }

    // Export: the airport prefix, alone or with a repeat period, whose selection comes nearest to
    // 10,000 flights.
    ExportCriteria criteria;
    std::vector<std::string> selection;
    const auto distance = [](std::size_t n) {
        return n > kSelectionSize ? n - kSelectionSize : kSelectionSize - n;
    };
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        for (int repeat = -1; repeat < static_cast<int>(kRepeatItems.size()); ++repeat) {
            ExportCriteria candidate;
            CheckCriterion(candidate, Criterion::AirportPrefix, true);
            candidate.icaoPrefix = std::string(1, letter);
            if (repeat >= 0) {
                CheckCriterion(candidate, Criterion::Repeat, true);
                candidate.repeat = kRepeatItems[static_cast<std::size_t>(repeat)];
            }
            auto selected = SelectExportFlights(session.db, candidate, progress);
            if (selection.empty() || distance(selected.size()) < distance(selection.size())) {
                selection = std::move(selected);
                criteria = candidate;
            }
        }
    }
    const std::string exported = setup.workFolder + "export.cvp";
    const double exportTime = BestOf(setup.repetitions, [&] {
        WriteExportFile(exported, SelectExportFlights(session.db, criteria, progress), session.db, prompts,
                        progress);
    });
    report.limit("export " + std::to_string(selection.size()) + " flights (" + criteria.icaoPrefix +
                     (criteria.repeat.empty() ? "" : ", " + criteria.repeat) + ")",
                 exportTime, kExportBar);

    const std::vector<std::string> lines = session.db.flightTable().lines();
    const struct {
        const char* name;
        Filter filter;
    } filters[] = {{"filter: delete", {FilterMode::Delete, ""}},
                   {"filter: traffic percent", {FilterMode::Percent, "50"}},
                   {"filter: shift time", {FilterMode::Time, "-1"}}};
    for (const auto& [name, filter] : filters) {
        double best = 1e9;
        for (int i = 0; i < setup.repetitions; ++i) {
            session.db.flightTable().clear();
            for (const std::string& line : lines) session.db.flightTable().append(line);
            Stopwatch watch;
            RunFilter(session.db, filter, {FilterSelection::Kind::All, "", ""});
            best = std::min(best, watch.seconds());
        }
        report.limit(std::string(name) + ", " + std::to_string(lines.size()) + " flights", best, kFilterBar);
    }

    // The shift filter as one step of the change journal, beside the same filter with nothing recorded;
    // the step's undo, and the memory it holds against the bytes of the lines it changed.
    const Filter shift{FilterMode::Time, "-1"};
    const auto reload = [&] {
        session.db.flightTable().clear();
        for (const std::string& line : lines) session.db.flightTable().append(line);
        session.db.journal().clear();
    };
    double unrecorded = 1e9, recorded = 1e9, undo = 1e9;
    std::size_t stepBytes = 0, changedBytes = 0;
    for (int i = 0; i < setup.repetitions; ++i) {
        reload();
        Stopwatch plain;
        RunFilter(session.db, shift, {FilterSelection::Kind::All, "", ""});
        unrecorded = std::min(unrecorded, plain.seconds());
        reload();
        Stopwatch journaled;
        {
            StepScope step(session.db.journal(), "Filter - Change flight departure time");
            RunFilter(session.db, shift, {FilterSelection::Kind::All, "", ""});
        }
        recorded = std::min(recorded, journaled.seconds());
        stepBytes = session.db.journal().stepBytes(0);
        changedBytes = 0;
        for (std::size_t l = 0; l < lines.size(); ++l)
            if (session.db.flightTable().at(static_cast<int>(l)) != lines[l]) changedBytes += lines[l].size();
        Stopwatch back;
        session.db.journal().undo();
        undo = std::min(undo, back.seconds());
        if (session.db.flightTable().lines() != lines)
            report.note("undoing the shift did not restore the lines", true);
    }
    report.timing("shift filter, journal on", recorded, "shift filter, journal off", unrecorded,
                  kJournalRatioBar);
    report.limit("undo the shift of " + std::to_string(lines.size()) + " flights", undo, kUndoBar);
    report.size("journal memory of the shift", stepBytes, "bytes of the changed lines", changedBytes,
                kJournalMemoryBar);

    // The retime of every flight as Flights > "Set arrival times from cruise speeds..." runs it: the
    // new lines worked out, then put in place as one step of the change journal; and its undo.
    double retime = 1e9;
    RetimeCounts retimed;
    for (int i = 0; i < setup.repetitions; ++i) {
        reload();
        Stopwatch watch;
        RetimePlan plan = PlanRetime(session.db, {FilterSelection::Kind::All, "", ""});
        {
            StepScope step(session.db.journal(), "Set arrival times from cruise speeds");
            ApplyLineChanges(session.db.flightTable(), plan.changes);
        }
        retime = std::min(retime, watch.seconds());
        retimed = plan.counts;
        session.db.journal().undo();
        if (session.db.flightTable().lines() != lines)
            report.note("undoing the retime did not restore the lines", true);
    }
    report.limit("retime " + std::to_string(retimed.selected) + " flights (" + std::to_string(retimed.legs) +
                     " legs changed, " + std::to_string(retimed.kept()) + " kept)",
                 retime, kRetimeBar);

    // Merge the exported file into the whole set, as the import does after opening Traffic.bgl.
    double merge = 1e9;
    for (int i = 0; i < setup.repetitions; ++i) {
        session.db.flightTable().clear();
        for (const std::string& line : lines) session.db.flightTable().append(line);
        Stopwatch watch;
        ImportProject(session.db, exported, prompts, progress);
        merge = std::min(merge, watch.seconds());
    }
    report.limit("merge a " + std::to_string(selection.size()) + "-flight import file", merge, kMergeBar);
}

} // namespace corvane
