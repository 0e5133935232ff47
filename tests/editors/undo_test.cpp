// Undo over everything a user can do on the pages: long random sequences of editor actions, filters
// and merges, undone all the way back and redone all the way forward, give the very same data.

#include "editors/aircrafteditor.h"
#include "editors/airporteditor.h"
#include "editors/associationeditor.h"
#include "editors/editsteps.h"
#include "editors/filtereditor.h"
#include "editors/flighteditor.h"
#include "editors/rerouteeditor.h"
#include "editors/retimeeditor.h"
#include "editors/trafficcheckeditor.h"
#include "generator.h"
#include "memoryregistry.h"
#include "platform/progress.h"
#include "platform/textfile.h"
#include "projects/importproject.h"
#include "projects/session.h"
#include "tablesnapshot.h"
#include "tempdir.h"
#include "traffic/aptdata.h"
#include "traffic/flightline.h"
#include "traffic/reader.h"
#include "traffic/writer.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace corvane;

namespace {

// Agrees to every question and gives each input box a fresh airport code.
class AgreeingPrompts final : public Prompts {
public:
    Answer ask(const Prompt& prompt) override {
        return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    std::optional<std::string> file(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> input(const InputRequest&) override {
        return "ZZ" + std::to_string(m_next++ % 100);
    }

private:
    int m_next = 10;
};

// The project file the tables make, and the tables themselves, without changing anything.
struct State {
    std::string project;
    test::TablesSnapshot tables;
    bool operator==(const State&) const = default;
};

State Take(TrafficDatabase& db) {
    CountingPrompts quiet;
    NullProgress progress;
    std::vector<std::string> copy = db.flightTable().lines();
    return {ProjectFileBytes(copy, true, db, quiet, progress), test::SnapshotOf(db)};
}

struct World {
    AgreeingPrompts prompts;
    NullProgress progress;
    Session session{prompts, progress};
    FlightEditor flights{session};
    AirportEditor airports{session.db, flights.legs(), prompts};
    AircraftEditor aircraft{session.db, flights.legs(), prompts};
    EditSteps steps{session};
    std::mt19937 random;
    std::string importBytes;

    explicit World(unsigned seed)
        : random(seed) {
        session.editor = &flights;
        // 200 flights of 2 to 8 legs, 30 aircraft (20 installed), 60 airports and 80 in apt.dat (20 of them
        // the same).
        const TrafficSet set = GenerateTrafficSet(TrafficSetSize{200, 2, 8, 30, 20, 60, 80, 20, seed});
        InstallAircraft(session.db, set.installed);
        ReadProjectBytes(session.db, set.project, ReadOptions{false, true, ""}, prompts, progress);
        ReadAptBytes(session.db, set.apt, {}, progress);
        TrafficSetSize import{20, 2, 4, 10, 5, 20, 20, 10, seed + 1};
        importBytes = GenerateTrafficSet(import).project;
        session.db.journal().clear();
        flights.showFirstAirport();
    }

    void reroute(const std::string& from, const std::string& to, bool removeOld) {
        RerouteEditor editor(session.db, flights, prompts);
        editor.editFrom(from);
        editor.editTo(to);
        editor.setRemoveOld(removeOld);
        editor.run();
    }
    // An airport with traffic that the airport table holds once (the world's apt.dat repeats some), and
    // an airport without any.
    std::string busyCode() {
        const AirportTable& airports = session.db.airportTable();
        for (const std::string& line : session.db.flightTable().lines())
            for (std::string_view code : FlightDestinations(line)) {
                int rows = 0;
                for (int row = 0; row < airports.rowCount(); ++row)
                    rows += EqualsIgnoringCase(airports.cell(row, AirportTable::Icao), code);
                if (rows == 1) return std::string(code);
            }
        return {};
    }
    std::string quietCode() {
        for (const std::string& code : session.db.airportCodes().entries()) {
            const auto& lines = session.db.flightTable().lines();
            if (std::none_of(lines.begin(), lines.end(), [&](const std::string& line) {
                    const auto destinations = FlightDestinations(line);
                    return std::any_of(destinations.begin(), destinations.end(),
                                       [&](std::string_view d) { return EqualsIgnoringCase(d, code); });
                }))
                return code;
        }
        return {};
    }

    int pick(int count) { return count <= 0 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(random); }
    std::string anyCode() {
        const SortedList& codes = session.db.airportCodes();
        return codes.isEmpty() ? std::string("KSEA") : codes.entry(pick(codes.count()));
    }
    // A field visit: typing into the field, then leaving it.
    template <typename Edit> void visit(const char* caption, Edit edit) {
        steps.fieldEdited(caption);
        edit();
        steps.closeVisit();
    }

    void act() {
        LegsEditor& legs = flights.legs();
        switch (pick(22)) {
        case 0:
            flights.chooseAirport(anyCode());
            break;
        case 1:
            flights.chooseFlight(pick(static_cast<int>(flights.flightsLst().size())));
            break;
        case 2:
            visit("Tail number", [&] { flights.editTail("T" + std::to_string(pick(1000))); });
            break;
        case 3:
            visit("Traffic percent", [&] { flights.editPercent(std::to_string(pick(120))); });
            break;
        case 4: {
            const char* periods[] = {"WEEK", "24", "8"};
            visit("Repeat periode", [&] { flights.chooseRepeat(periods[pick(3)]); });
            break;
        }
        case 5:
            legs.chooseLeg(pick(static_cast<int>(legs.rows().size())));
            break;
        case 6:
            visit("departure time", [&] {
                legs.editDepartureTime(std::to_string(10 + pick(13)) + ":" + std::to_string(10 + pick(50)));
            });
            break;
        case 7:
            visit("destination", [&] { legs.chooseDestination(anyCode()); });
            break;
        case 8:
            flights.addLeg();
            break;
        case 9:
            flights.removeLeg();
            break;
        case 10:
            flights.addFlight();
            break;
        case 11:
            flights.deleteFlight();
            break;
        case 12: {
            airports.chooseRow(pick(session.db.airportTable().rowCount()));
            visit("Airport", [&] { airports.editName("Renamed " + std::to_string(pick(100))); });
            break;
        }
        case 13: {
            airports.chooseRow(pick(session.db.airportTable().rowCount()));
            visit("Latitude", [&] { airports.editLatitude("S", std::to_string(pick(80)), "12.5"); });
            break;
        }
        case 14:
            steps.closeVisit();
            airports.addAirport();
            break;
        case 15:
            airports.chooseRow(pick(session.db.airportTable().rowCount()));
            airports.deleteAirport();
            break;
        case 16: {
            aircraft.chooseInstalled(pick(session.db.installedAircraftTable().rowCount()));
            visit("Cruise speed", [&] { aircraft.editSpeed(std::to_string(100 + pick(400))); });
            break;
        }
        case 17:
            aircraft.chooseMissing(pick(session.db.missingAircraftTable().rowCount()));
            aircraft.removeMissing();
            break;
        case 18: {
            const FilterMode modes[] = {FilterMode::Delete, FilterMode::Percent, FilterMode::Time};
            FilterEditor filter(modes[pick(3)], session.db, flights, prompts);
            filter.chooseOption(FilterSelection::Kind::Airport);
            filter.editIcao(anyCode().substr(0, 1));
            filter.editValue(filter.mode() == FilterMode::Percent ? "40" : "-3");
            filter.run();
            flights.chooseAirport();
            break;
        }
        case 19: {
            if (AssociationEditor::canOpen(session.db, 0) && pick(2) == 0) {
                AssociationEditor association(session.db, prompts);
                association.load(0);
                if (!association.comFSAir().empty()) association.ok(association.comFSAir().front());
            } else {
                ImportProjectBytes(session.db, importBytes, progress);
            }
            break;
        }
        case 20:
            reroute(anyCode(), anyCode(), pick(2) == 0);
            flights.chooseAirport();
            break;
        case 21: {
            RetimeEditor retime(session.db, flights, prompts);
            retime.chooseOption(FilterSelection::Kind::Airport);
            retime.editIcao(anyCode().substr(0, 1));
            retime.run();
            flights.chooseAirport();
            break;
        }
        }
    }
};

} // namespace

TEST(Undo, everyActionUndoesAndRedoesToTheVeryBytes) {
    for (unsigned seed : {1u, 2u, 3u}) {
        World world(seed);
        ChangeJournal& journal = world.session.db.journal();
        const State before = Take(world.session.db);
        for (int i = 0; i < 300; ++i) world.act();
        world.steps.closeVisit();
        world.flights.releaseFlight();
        const State after = Take(world.session.db);
        ASSERT_NE(after, before) << "seed " << seed << ": the actions changed nothing";
        ASSERT_GT(journal.stepCount(), 50) << "seed " << seed;

        world.flights.forgetFlight();
        while (journal.canUndo()) journal.undo();
        EXPECT_TRUE(Take(world.session.db) == before) << "seed " << seed << ": undoing everything";
        EXPECT_TRUE(journal.isClean());
        while (journal.canRedo()) journal.redo();
        EXPECT_TRUE(Take(world.session.db) == after) << "seed " << seed << ": redoing everything";
    }
}

TEST(Undo, aFieldVisitIsOneStepNamedAfterTheField) {
    World world(7);
    ChangeJournal& journal = world.session.db.journal();
    ASSERT_GE(world.flights.CurrentFlightIndex(), 0);
    const std::string line = world.session.db.flightTable().at(world.flights.CurrentFlightIndex());
    world.steps.fieldEdited("Tail number");
    for (const char* typed : {"N", "N7", "N73", "N737"}) world.flights.editTail(typed);
    world.steps.fieldEdited("Tail number"); // still the same visit
    world.steps.closeVisit();
    ASSERT_EQ(journal.stepCount(), 1);
    EXPECT_EQ(journal.undoText(), "Edit Tail number");
    world.flights.forgetFlight();
    journal.undo();
    EXPECT_NE(std::find(world.session.db.flightTable().lines().begin(),
                        world.session.db.flightTable().lines().end(), line),
              world.session.db.flightTable().lines().end())
        << "the flight is back as it was";

    // A visit that changed nothing is no step.
    world.steps.fieldEdited("Traffic percent");
    world.steps.closeVisit();
    EXPECT_FALSE(journal.canUndo());
    EXPECT_TRUE(journal.canRedo());
}

TEST(Undo, eachBulkChangeIsOneStepThatUndoesToTheSavedBytes) {
    const struct {
        const char* name;
        std::function<void(World&)> change;
    } changes[] = {
        {"reroute, the old airport removed",
         [](World& w) {
             // Every flight of the busy airport moves to one without traffic, so the old airport can go.
             const std::string from = w.busyCode();
             w.reroute(from, w.quietCode(), true);
             EXPECT_LT(w.session.db.airportTable().findByIcao(from), 0);
         }},
        {"retime of all flights",
         [](World& w) {
             RetimeEditor retime(w.session.db, w.flights, w.prompts);
             retime.run();
         }},
        {"the proposed arrival on every leg too short or too long",
         [](World& w) {
             test::MemorySettings settings;
             TrafficCheckEditor check(w.session, settings);
             check.refresh();
             std::vector<int> rows;
             for (int row = 0; row < check.rowCount(); ++row) rows.push_back(row);
             ASSERT_GT(check.useProposedArrival(rows), 0);
         }},
    };
    for (const auto& [name, change] : changes) {
        World world(11);
        world.flights.releaseFlight();
        test::TempDir dir;
        const auto saved = [&](const char* file) {
            EXPECT_TRUE(WriteProjectFile(world.session.db, dir.file(file), world.prompts, world.progress))
                << name;
            std::string error;
            return ReadFileBytes(dir.file(file), &error).value_or(error);
        };
        const std::string before = saved("before.cvp");
        const State state = Take(world.session.db);
        ChangeJournal& journal = world.session.db.journal();
        const int steps = journal.stepCount();
        change(world);
        EXPECT_EQ(journal.stepCount(), steps + 1) << name << ": one step";
        EXPECT_NE(Take(world.session.db), state) << name << ": changed nothing";
        world.flights.forgetFlight();
        journal.undo();
        EXPECT_TRUE(Take(world.session.db) == state) << name;
        EXPECT_EQ(saved("after.cvp"), before) << name;
    }
}
