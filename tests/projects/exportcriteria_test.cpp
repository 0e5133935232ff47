#include "projects/exportcriteria.h"
#include "recordingprogress.h"
#include "traffic/trafficdatabase.h"

#include <gtest/gtest.h>
#include <initializer_list>

using namespace corvane;

namespace {

// A flight line with one leg to each destination.
std::string Flight(const std::string& aircraft, const std::string& percent, const std::string& repeat,
                   const std::string& rules, std::initializer_list<const char*> destinations) {
    std::string line = aircraft + ",N1," + percent + "," + repeat + "," + rules + ",";
    int leg = 0;
    for (const char* code : destinations)
        line += "08:00:00,09:00:00,100,F," + std::to_string(++leg) + "," + code + ",";
    return line;
}

struct Selection {
    TrafficDatabase db;
    ExportCriteria criteria;

    Selection& add(std::string line) {
        db.flightTable().append(std::move(line));
        return *this;
    }
    Selection& check(Criterion c) {
        CheckCriterion(criteria, c, true);
        return *this;
    }
    // The FlightTable indexes of the selected lines, as text ("0,2"); the selection keeps table order.
    std::string selected() {
        NullProgress progress;
        const auto lines = SelectExportFlights(db, criteria, progress);
        std::string result;
        int next = 0;
        for (const std::string& line : lines) {
            while (next < db.flightTable().count() && db.flightTable().at(next) != line) ++next;
            result += (result.empty() ? "" : ",") + std::to_string(next++);
        }
        return result;
    }
};

} // namespace

TEST(ExportSelection, airportPrefixes) {
    Selection s;
    s.add(Flight("AC#1", "50%", "24Hr", "IFR", {"EGLL", "LFPG"}))     // 0
        .add(Flight("AC#1", "50%", "12Hr", "IFR", {"EGLL", "LFPG"}))  // 1
        .add(Flight("AC#1", "50%", "24Hr", "IFR", {"KSEA", "KBFI"}))  // 2
        .add(Flight("AC#1", "50%", "24Hr", "IFR", {"LFPG", "EGKK"}))  // 3: EG by its second leg
        .add(Flight("AC#1", "50%", "24Hr", "IFR", {"LEGE", "XEGX"}))  // 4: EG inside, not at the start
        .add(Flight("AC#1", "50%", "24Hr", "IFR", {"lfpg", " kpdx"})) // 5
        .add("AC#1,N1,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KSEA,08:00:00,09:00:00,100,F,2,,"
             "08:00:00,09:00:00,100,F,3,EGLL,"); // 6: its destinations end at the empty field
    s.check(Criterion::AirportPrefix);
    s.criteria.icaoPrefix = "EG";
    EXPECT_EQ(s.selected(), "0,1,3");
    s.criteria.icaoPrefix = "K";
    EXPECT_EQ(s.selected(), "2,5,6") << "destinations are trimmed and upper-cased";
    s.criteria.icaoPrefix = " l ";
    EXPECT_EQ(s.selected(), "0,1,3,4,5") << "the prefix is trimmed and upper-cased too";
}

TEST(ExportSelection, percentComparisons) {
    Selection s;
    s.add(Flight("AC#1", "25%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#1", " 75 %", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50.5%", "24Hr", "IFR", {"KSEA"}));
    s.check(Criterion::Percent);
    s.criteria.percent = "50";
    s.criteria.comparison = PercentComparison::EqualTo;
    EXPECT_EQ(s.selected(), "1");
    s.criteria.comparison = PercentComparison::MoreThan;
    EXPECT_EQ(s.selected(), "2,3");
    s.criteria.comparison = PercentComparison::LessThan;
    EXPECT_EQ(s.selected(), "0");
    s.criteria.percent = "50.5";
    s.criteria.comparison = PercentComparison::EqualTo;
    EXPECT_EQ(s.selected(), "3") << "compared as floating-point numbers";
}

TEST(ExportSelection, rulesKeepAnOddRulesText) {
    Selection s;
    s.add(Flight("AC#1", "50%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", "24Hr", "VFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", "24Hr", " vfr ", {"KSEA"}))
        .add(Flight("AC#1", "50%", "24Hr", "SVFR", {"KSEA"}));
    s.check(Criterion::Rules);
    EXPECT_TRUE(s.criteria.ifr) << "checking the box chooses IFR";
    EXPECT_EQ(s.selected(), "0,3");
    s.criteria.ifr = false;
    s.criteria.vfr = true;
    EXPECT_EQ(s.selected(), "1,2,3");
}

TEST(ExportSelection, repeatPeriods) {
    Selection s;
    s.add(Flight("AC#1", "50%", "8Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", "WEEK", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", " 08hr ", "IFR", {"KSEA"}))
        .add(Flight("AC#1", "50%", "week", "IFR", {"KSEA"}));
    s.check(Criterion::Repeat);
    s.criteria.repeat = "8 hours";
    EXPECT_EQ(s.selected(), "0,3");
    s.criteria.repeat = "24 hours";
    EXPECT_EQ(s.selected(), "1");
    s.criteria.repeat = "WEEK";
    EXPECT_EQ(s.selected(), "2,4");
}

TEST(ExportSelection, aircraftByTheNumberOfTheChosenTitle) {
    Selection s;
    s.db.aircraftTable().add({"AC#2", "250", "Boeing 737-400"});
    s.db.aircraftTable().add({"AC#12", "300", "Airbus A320"});
    s.add(Flight("AC#2", "50%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#12", "50%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight(" ac#2", "50%", "24Hr", "IFR", {"KSEA"}))
        .add(Flight("AC#002", "50%", "24Hr", "IFR", {"KSEA"}));
    s.check(Criterion::Aircraft);
    s.criteria.aircraftTitle = "boeing 737-400";
    EXPECT_EQ(s.selected(), "0,2,3") << "AC#002 is AC#2";
    s.criteria.aircraftTitle = "Unknown";
    EXPECT_EQ(s.selected(), "") << "a title without a row selects nothing";
}

TEST(ExportSelection, criteriaAreCombinedAndDeletedFlightsNeverSelected) {
    Selection s;
    s.add(Flight("AC#1", "25%", "24Hr", "IFR", {"KSEA"}))
        .add("")
        .add(Flight("AC#1", "25%", "24Hr", "VFR", {"KSEA"}))
        .add(Flight("AC#1", "75%", "24Hr", "IFR", {"KSEA"}));
    s.check(Criterion::Percent).check(Criterion::Rules);
    s.criteria.percent = "50";
    s.criteria.comparison = PercentComparison::LessThan;
    EXPECT_EQ(s.selected(), "0");
}

TEST(ExportSelection, progressShowsTheWholePartBeforeEachEntry) {
    Selection s;
    for (int i = 0; i < 3; ++i) s.add(Flight("AC#1", "50%", "24Hr", "IFR", {"KSEA"}));
    s.check(Criterion::Rules);
    test::RecordingProgress progress;
    EXPECT_EQ(SelectExportFlights(s.db, s.criteria, progress).size(), 3u);
    EXPECT_EQ(progress.events(),
              (std::vector<std::string>{"begin:Export Corvane Data", "0 %", "33 %", "66 %", "end"}));
}

TEST(ExportCriteria, uncheckingClearsTheControls) {
    ExportCriteria c;
    for (int i = 0; i < kCriterionCount; ++i) CheckCriterion(c, static_cast<Criterion>(i), true);
    c.icaoPrefix = "EG";
    c.comparison = PercentComparison::MoreThan;
    c.percent = "50";
    c.aircraftTitle = "Boeing";
    c.repeat = "WEEK";
    for (int i = 0; i < kCriterionCount; ++i) CheckCriterion(c, static_cast<Criterion>(i), false);
    EXPECT_EQ(c.checked, (std::array<bool, 5>{}));
    EXPECT_EQ(c.icaoPrefix, "");
    EXPECT_EQ(c.comparison, PercentComparison::None);
    EXPECT_EQ(c.percent, "");
    EXPECT_EQ(c.aircraftTitle, "");
    EXPECT_FALSE(c.ifr);
    EXPECT_FALSE(c.vfr);
    EXPECT_EQ(c.repeat, "");
}

TEST(ExportCriteria, theAircraftComboIsSortedLikeACombo) {
    TrafficDatabase db;
    db.aircraftTable().add({"AC#1", "250", "boeing 747"});
    db.aircraftTable().add({"AC#2", "250", "Airbus A320"});
    db.aircraftTable().add({"AC#3", "250", "Boeing 737"});
    EXPECT_EQ(ExportAircraftTitles(db),
              (std::vector<std::string>{"Airbus A320", "Boeing 737", "boeing 747"}));
}

TEST(ExportValidation, checksInOrderWithTheirTexts) {
    TrafficDatabase db;
    db.aircraftTable().add({"AC#1", "250", "Boeing 737-400"});
    ExportCriteria c;
    EXPECT_EQ(ValidateExport(db, c).result, ExportCheck::Result::NothingToDo) << "empty FlightTable";
    db.flightTable().append(Flight("AC#1", "50%", "24Hr", "IFR", {"KSEA"}));

    const auto refusal = [&](const ExportCriteria& criteria) {
        const ExportCheck check = ValidateExport(db, criteria);
        EXPECT_EQ(check.result, ExportCheck::Result::Refused);
        EXPECT_EQ(check.refusal.icon, Icon::Exclamation);
        EXPECT_EQ(check.refusal.buttons, Buttons::Ok);
        return check.refusal.title + ": " + check.refusal.text;
    };
    EXPECT_EQ(refusal(c),
              "Could not export project file: You must choose at least one of the checkboxes above.");

    for (int i = 0; i < kCriterionCount; ++i) CheckCriterion(c, static_cast<Criterion>(i), true);
    EXPECT_EQ(refusal(c), "Enter ICAO airport code: You must enter minimun the first letter of the ICAO "
                          "airport code.");
    c.icaoPrefix = "E";
    EXPECT_EQ(refusal(c), "Enter new percent value: The percent value must be a number between 1 and 100.")
        << "an empty percent is 0";
    for (const char* bad : {"0", "101", "100.5", "-5", "abc"}) {
        c.percent = bad;
        EXPECT_EQ(refusal(c).rfind("Enter new percent value: ", 0), 0u) << bad;
    }
    for (const char* good : {"1", "100", "12.5", " 50%"}) {
        c.percent = good;
        EXPECT_EQ(refusal(c),
                  "Choose comparison type: You must choose a percent comparison type form the list.")
            << good;
    }
    c.comparison = PercentComparison::EqualTo;
    EXPECT_EQ(refusal(c), "Choose aircraft: You must choose an aircraft from the list.");
    c.aircraftTitle = "Not In The Table";
    EXPECT_EQ(refusal(c), "Choose aircraft: You must choose an aircraft from the list.");
    c.aircraftTitle = "BOEING 737-400";
    EXPECT_EQ(refusal(c), "Choose repeat frequency: You must choose a repeat frequency from the list.");
    c.repeat = "3 hours";
    EXPECT_EQ(refusal(c), "Choose repeat frequency: You must choose a repeat frequency from the list.");
    c.repeat = "12 hours";
    EXPECT_EQ(ValidateExport(db, c).result, ExportCheck::Result::Ready);

    ExportCriteria rulesOnly;
    CheckCriterion(rulesOnly, Criterion::Rules, true);
    EXPECT_EQ(ValidateExport(db, rulesOnly).result, ExportCheck::Result::Ready) << "rules need no check";
}
