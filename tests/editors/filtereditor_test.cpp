#include "editors/filtereditor.h"
#include "sessionfixture.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct Fixture : test::SessionFixture {
    Fixture() {
        session.db.aircraftTable().add({"AC#1", "250", "Boeing 737"});
        session.db.aircraftTable().add({"AC#2", "250", ""});
        session.db.aircraftTable().add({"AC#3", "250", "airbus"});
        session.db.flightTable().append(
            "AC#1,-,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,KSEA,10:00:00,11:00:00,100,F,2,KBFI,");
    }
};

} // namespace

TEST(FilterEditor, textsAndAircraftList) {
    Fixture f;
    FilterEditor remove(FilterMode::Delete, f.session.db, f.flights, f.prompts);
    EXPECT_EQ(remove.texts().caption, "Filter - Delete");
    EXPECT_FALSE(remove.texts().valueShown);
    EXPECT_EQ(remove.texts().info2, "Delete AI flights");
    EXPECT_EQ(remove.aircraftTitles(), (std::vector<std::string>{"airbus", "Boeing 737"}))
        << "sorted, empty left out";
    FilterEditor percent(FilterMode::Percent, f.session.db, f.flights, f.prompts);
    EXPECT_EQ(percent.texts().info1, "Set new Traffic Percet:");
    EXPECT_EQ(FilterEditor(FilterMode::Time, f.session.db, f.flights, f.prompts).texts().info2, "hour(s)");
    percent.chooseOption(FilterSelection::Kind::Airport);
    percent.editIcao("ks");
    EXPECT_EQ(percent.icaoText(), "KS");
    percent.chooseOption(FilterSelection::Kind::All);
    EXPECT_EQ(percent.icaoText(), "");
}

TEST(FilterEditor, refusedValuesChangeNothing) {
    Fixture f;
    const std::string before = f.line(0);
    FilterEditor percent(FilterMode::Percent, f.session.db, f.flights, f.prompts);
    for (const char* value : {"0", "101", "", "abc"}) {
        percent.editValue(value);
        f.prompts.expect("Wrong traffic percent value");
        EXPECT_FALSE(percent.run()) << value;
    }
    percent.editValue("5,5");
    f.prompts.expect("Do not use comma");
    EXPECT_FALSE(percent.run());
    FilterEditor time(FilterMode::Time, f.session.db, f.flights, f.prompts);
    time.editValue("2");
    time.chooseOption(FilterSelection::Kind::Airport);
    f.prompts.expect("Enter ICAO airport code");
    EXPECT_FALSE(time.run());
    time.chooseOption(FilterSelection::Kind::Aircraft);
    f.prompts.expect("Select aircraft");
    EXPECT_FALSE(time.run());
    EXPECT_EQ(f.prompts.shown().back().text, "You must select an aircraft from the from the list.");
    EXPECT_EQ(f.line(0), before);
}

TEST(FilterEditor, timeShiftsOfUpToADayEitherWay) {
    Fixture f;
    const int weekly = f.add("AC#1,-,100%,WEEK,IFR,6/23:30:00,0/00:30:00,100,F,1,KSEA,");
    const std::string before = f.line(0);
    FilterEditor time(FilterMode::Time, f.session.db, f.flights, f.prompts);
    for (const char* value : {"24.01", "-24.01", "25"}) {
        time.editValue(value);
        f.prompts.expect("Wrong departure time difference value");
        EXPECT_FALSE(time.run()) << value;
        ASSERT_FALSE(f.prompts.shown().empty()) << value;
        EXPECT_EQ(f.prompts.shown().back().text,
                  "The departure time difference must be a value between -24 and 24.");
    }
    EXPECT_EQ(f.line(0), before);

    const std::pair<const char*, const char*> runs[] = {{"24", "0/23:30:00,1/00:30:00"},
                                                        {"-24", "6/23:30:00,0/00:30:00"},
                                                        {"1", "0/00:30:00,0/01:30:00"},
                                                        {"-1", "6/23:30:00,0/00:30:00"}};
    for (const auto& [value, times] : runs) {
        time.editValue(value);
        f.prompts.expect("Corvane");
        EXPECT_TRUE(time.run()) << value;
        EXPECT_EQ(f.line(weekly), std::string("AC#1,-,100%,WEEK,IFR,") + times + ",100,F,1,KSEA,") << value;
    }
    EXPECT_EQ(f.line(0), before) << "a day on, a day back, an hour on and back";
    EXPECT_EQ(time.doneStatus(), "Departure times of 2 flights shifted by -1 hour");
}

TEST(FilterEditor, theStatusCountsTheFlightsThatWereThere) {
    Fixture f;
    f.session.db.flightTable().empty(f.add("AC#1,-,100%,24Hr,IFR,"));
    FilterEditor remove(FilterMode::Delete, f.session.db, f.flights, f.prompts);
    f.prompts.expect("Corvane");
    ASSERT_TRUE(remove.run());
    EXPECT_EQ(f.prompts.shown().back().text, "Done editing 2 flights!") << "every entry, as ever";
    EXPECT_EQ(remove.doneStatus(), "1 flight deleted") << "the one that was there";
}

TEST(FilterEditor, runStoresTheEditorsFlightFirst) {
    Fixture f;
    f.flights.chooseAirport("KSEA");
    f.flights.editTail("N123");
    FilterEditor time(FilterMode::Time, f.session.db, f.flights, f.prompts);
    time.chooseOption(FilterSelection::Kind::Aircraft);
    time.chooseAircraft(1); // Boeing 737
    time.editValue("-1");
    f.prompts.expect("Corvane");
    ASSERT_TRUE(time.run());
    EXPECT_EQ(f.prompts.shown().back().text, "Done editing 1 flights!");
    EXPECT_EQ(f.line(0),
              "AC#1,N123,100%,24Hr,IFR,07:00:00,08:10:00,100,F,1,KSEA,09:00:00,10:00:00,100,F,2,KBFI,")
        << "the tail typed in the editor is kept";
    EXPECT_EQ(f.flights.CurrentFlightIndex(), -1);
}
