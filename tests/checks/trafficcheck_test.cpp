// Each check with flights that trip it and near-misses that do not.

#include "checkfixture.h"
#include "schedule/flighttime.h"
#include "traffic/numbers.h"

using namespace corvane;
using corvane::test::CheckFixture;
using corvane::test::FlightLineOf;
using corvane::test::Ids;

namespace {

using TrafficCheck = CheckFixture;

TEST_F(TrafficCheck, aCleanFlightAndDeletedEntriesShowNothing) {
    add("");
    addClean();
    add("");
    EXPECT_EQ(found(), Ids{});
    EXPECT_EQ(report.errors + report.warnings + report.flightsWithProblems, 0);
}

TEST_F(TrafficCheck, unknownAirport) {
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "XXXX"}, {"09:00:00", "09:15:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "bbbb"}, {"09:00:00", "09:15:00", "aaaa"}}));
    EXPECT_EQ(found(), (Ids{"0/1 unknown-airport"})) << "codes are found without regard to case";
    EXPECT_EQ(
        report.message(report.problems[0]),
        "AAAA-XXXX: the airport XXXX is not in the airport table, so saving or compiling drops the flight.");
    EXPECT_EQ(report.flightsDropped, 1);
    EXPECT_EQ(report.flightsMishandled, 0);
}

TEST_F(TrafficCheck, unknownAircraftAsTheWriterLooksItUp) {
    addClean("AC#9,N1,50%,24Hr,IFR");
    addClean("AC#x,N2,50%,24Hr,IFR");
    addClean("AC#001,N3,50%,24Hr,IFR"); // the writer takes it for AC#1
    addClean("ac#1,N4,50%,24Hr,IFR");
    EXPECT_EQ(found(), (Ids{"0/- unknown-aircraft", "1/- unknown-aircraft"}));
    EXPECT_EQ(report.message(report.problems[0]),
              "The aircraft AC#9 is in neither aircraft table, so saving or compiling drops the flight.");
    EXPECT_EQ(
        report.message(report.problems[1]),
        "The aircraft AC#x (AC#0) is in neither aircraft table, so saving or compiling drops the flight.");
}

TEST_F(TrafficCheck, slowAircraftBelowTenKnots) {
    addClean("AC#2,N1,50%,24Hr,IFR");
    addClean("AC#5,N2,50%,24Hr,IFR"); // 10 knots is written
    EXPECT_EQ(found(), (Ids{"0/- slow-aircraft"}));
    EXPECT_EQ(
        report.message(report.problems[0]),
        "The aircraft AC#2 (Glider) cruises at 9 knots, below 10, so saving or compiling drops the flight.");
}

TEST_F(TrafficCheck, missingAircraftIsAWarning) {
    addClean("AC#3,N1,50%,24Hr,IFR");
    EXPECT_EQ(found(), (Ids{"0/- missing-aircraft"}));
    EXPECT_EQ(report.message(report.problems[0]),
              "The aircraft AC#3 (Ghost) is not installed in the simulator.");
    EXPECT_EQ(report.warnings, 1);
    EXPECT_EQ(report.errors, 0);
    EXPECT_EQ(report.flightsWithErrors(), 0);
}

TEST_F(TrafficCheck, sameAirportOnALegAndOnAOneLegFlight) {
    // No time is proposed for a leg from an airport to itself: 11 minutes and two hours are neither too
    // short nor too long for it (the 15 minutes of a leg between two places would make them both).
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR", {{"08:00:00", "08:15:00", "BBBB"},
                                              {"09:00:00", "09:11:00", "bbbb"},
                                              {"10:00:00", "10:15:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,24Hr,IFR", {{"08:00:00", "10:00:00", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"0/2 same-airport", "1/1 same-airport"}))
        << "BBBB stands where AAAA does, but is another airport";
    EXPECT_EQ(report.message(report.problems[0]), "BBBB-bbbb: the leg departs from and arrives at bbbb.");
}

TEST_F(TrafficCheck, cycleTooLongEveryEightHours) {
    // Legs and ground times ending one minute before the next round starts, and one minute after.
    add(FlightLineOf("AC#1,N1,50%,8Hr,IFR",
                     {{"00:00:00", "03:50:00", "BBBB"}, {"04:00:00", "07:59:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,8Hr,IFR",
                     {{"00:00:00", "03:50:00", "BBBB"}, {"04:00:00", "08:01:00", "AAAA"}}));
    const Ids ids = found(CheckOptions{0});
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "0/- cycle-too-long"), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "1/- cycle-too-long"), 1);
    const Problem& cycle = *std::find_if(report.problems.begin(), report.problems.end(),
                                         [](const Problem& p) { return p.check == Check::CycleTooLong; });
    EXPECT_EQ(report.message(cycle),
              "The legs and the ground times between them add up to 16:00, more than the repeat "
              "period of 8 hours: the aircraft would have to start its next round before "
              "finishing this one.");
}

TEST_F(TrafficCheck, eightHourLegsOfAnEightHourFlight) {
    // On a clock of eight hours a leg of 7:59 is 7:59 and one of 8:01 reads as one minute.
    add(FlightLineOf("AC#1,N1,50%,8Hr,IFR",
                     {{"00:00:00", "07:59:00", "BBBB"}, {"07:59:00", "07:59:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,8Hr,IFR",
                     {{"00:00:00", "08:01:00", "BBBB"}, {"08:01:00", "08:01:00", "AAAA"}}));
    const Ids ids = found(CheckOptions{0});
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "0/1 leg-too-long"), 1);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "0/1 leg-too-short"), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "1/1 leg-too-short"), 1);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "1/1 leg-too-long"), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "0/- cycle-too-long"), 0) << "7:59 + 0:01 on the ground";
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "1/- cycle-too-long"), 0) << "0:01 + 7:59 on the ground";
}

TEST_F(TrafficCheck, cycleOfAWholeDay) {
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "20:00:00", "CCCC", "300"}, {"20:00:00", "08:00:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,24Hr,IFR",
                     {{"08:00:00", "20:00:00", "CCCC", "300"}, {"20:00:00", "08:00:01", "AAAA"}}));
    const Ids ids = found(CheckOptions{0});
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "0/- cycle-too-long"), 0) << "exactly one period";
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "1/- cycle-too-long"), 1);
}

TEST_F(TrafficCheck, legTooShortAtEightyPercentAndFiveMinutes) {
    // AAAA-BBBB is proposed 900 seconds: 80 % is 12 minutes.
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "08:12:00", "BBBB"}, {"09:00:00", "09:11:59", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"0/2 leg-too-short"}));
    EXPECT_EQ(report.message(report.problems[0]),
              "BBBB-AAAA: 09:00:00 to 09:11:59 takes 0:11:59, under 80 % of the proposed 0:15.");

    // Without a speed nothing is proposed, and only the five minutes count.
    db.flightTable().clear();
    add(FlightLineOf("AC#4,N1,50%,24Hr,IFR",
                     {{"08:00:00", "08:05:00", "BBBB"}, {"09:00:00", "09:04:59", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"0/- slow-aircraft", "0/2 leg-too-short"}));
    EXPECT_EQ(report.message(report.problems[1]),
              "BBBB-AAAA: 09:00:00 to 09:04:59 takes 0:04:59, under 5 minutes.");

    db.flightTable().clear();
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "08:00:00", "BBBB"}, {"09:00:00", "09:15:00", "AAAA"}}));
    EXPECT_EQ(onlyMessage(), "AAAA-BBBB: 08:00:00 to 08:00:00 takes 0:00, under 5 minutes and under 80 % of "
                             "the proposed 0:15.");
}

TEST_F(TrafficCheck, legTooLongOverTwiceTheProposedPlusAnHour) {
    // 2 x 900 + 3600 seconds is 1:30.
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "09:30:00", "BBBB"}, {"10:00:00", "11:30:01", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"0/2 leg-too-long"}));
    EXPECT_EQ(
        report.message(report.problems[0]),
        "BBBB-AAAA: 10:00:00 to 11:30:01 takes 1:30:01, more than twice the proposed 0:15 plus one hour.");
}

TEST_F(TrafficCheck, proposedTimesFollowTheDistance) {
    const int proposed =
        static_cast<int>(FlightSeconds("N10* 0.0'", "E10* 0.0'", "N11* 0.0'", "E10* 0.0'", 240));
    ASSERT_GE(proposed, 1799);
    ASSERT_LE(proposed, 1800);
    const auto time = [](int seconds) {
        return "08:" + TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60);
    };
    // Just 80 % of the proposed time, and one second less.
    const int least = (proposed * 4 + 4) / 5;
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", time(least), "CCCC"}, {"12:00:00", "13:00:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,24Hr,IFR",
                     {{"08:00:00", time(least - 1), "CCCC"}, {"12:00:00", "13:00:00", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"1/1 leg-too-short"}));
}

TEST_F(TrafficCheck, shortTurnaroundAtTheMinimum) {
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "BBBB"}, {"08:25:00", "08:40:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "BBBB"}, {"08:24:59", "08:40:00", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"1/2 short-turnaround"})) << "exactly 10 minutes on the ground is enough";
    EXPECT_EQ(report.message(report.problems[0]),
              "BBBB: arrives 08:15:00 and leaves 08:24:59, 0:09:59 on the ground, "
              "under the turnaround minimum of 10 minutes.");
    EXPECT_EQ(found(CheckOptions{11}), (Ids{"0/2 short-turnaround", "1/2 short-turnaround"}));
    EXPECT_EQ(found(CheckOptions{0}), Ids{});
}

TEST_F(TrafficCheck, groundTimeBeforeTheFirstLegIsTheNextRound) {
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"00:05:00", "00:20:00", "BBBB"}, {"23:00:00", "23:59:00", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"0/1 short-turnaround"}));
    EXPECT_EQ(report.message(report.problems[0]),
              "AAAA: arrives 23:59:00 and leaves 00:05:00, 0:06 on the ground, "
              "under the turnaround minimum of 10 minutes.");
}

TEST_F(TrafficCheck, weeklyFlightAcrossSaturdayToSunday) {
    add(FlightLineOf("AC#1,N1,50%,WEEK,IFR",
                     {{"6/23:50:00", "0/00:05:00", "BBBB"}, {"0/01:00:00", "0/01:15:00", "AAAA"}}));
    add(FlightLineOf("AC#1,N2,50%,WEEK,IFR",
                     {{"6/23:50:00", "0/00:05:00", "BBBB"}, {"0/00:15:00", "0/00:30:00", "AAAA"}}));
    // The same flight with days that end the week before it began.
    add(FlightLineOf("AC#1,N3,50%,WEEK,IFR",
                     {{"6/23:50:00", "0/00:05:00", "BBBB"}, {"6/23:55:00", "0/00:10:00", "AAAA"}}));
    EXPECT_EQ(found(), (Ids{"2/- cycle-too-long"})) << "15 minutes across midnight, not minus 6 days";
}

TEST_F(TrafficCheck, duplicateTailOnEachFlight) {
    addClean("AC#1,N123,50%,24Hr,IFR");
    addClean("AC#1,-,50%,24Hr,IFR");
    addClean("AC#1,n123,50%,24Hr,IFR");
    addClean("AC#1,-,50%,24Hr,VFR");
    addClean("AC#1, ,50%,24Hr,IFR");
    addClean("AC#1,,50%,24Hr,VFR");
    addClean("AC#1,N1234,50%,24Hr,IFR");
    addClean("AC#1,N123,50%,12Hr,IFR");
    EXPECT_EQ(found(), (Ids{"0/- duplicate-tail", "2/- duplicate-tail", "7/- duplicate-tail"}))
        << "letter case aside; '-' and blank tails are no tail numbers";
    EXPECT_EQ(report.message(report.problems[0]),
              "The tail number N123 is also used by flight 2 (3 flights in all).");
    EXPECT_EQ(report.message(report.problems[1]),
              "The tail number n123 is also used by flight 0 (3 flights in all).");
}

TEST_F(TrafficCheck, duplicateFlightOnTheLaterOne) {
    addClean();
    addClean("AC#1,N1,50%,24Hr,VFR");
    add("");
    addClean();
    const Ids ids = found();
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "3/- duplicate-flight"), 1);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "0/- duplicate-flight"), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "1/- duplicate-flight"), 0) << "one field differs";
    const auto it = std::find_if(report.problems.begin(), report.problems.end(),
                                 [](const Problem& p) { return p.check == Check::DuplicateFlight; });
    EXPECT_EQ(report.message(*it), "The flight line is identical to that of flight 0.");
}

TEST_F(TrafficCheck, percentNeverOrAboveAHundred) {
    addClean("AC#1,N1,0%,24Hr,IFR");
    addClean("AC#1,N2,1%,24Hr,IFR");
    addClean("AC#1,N3,100%,24Hr,IFR");
    addClean("AC#1,N4,101%,24Hr,IFR");
    addClean("AC#1,N5,%,24Hr,IFR");
    EXPECT_EQ(found(), (Ids{"0/- percent", "3/- percent", "4/- percent"}));
    EXPECT_EQ(report.message(report.problems[0]), "The traffic percent is 0%, so the flight never appears.");
    EXPECT_EQ(report.message(report.problems[1]), "The traffic percent 101% is above 100 %.");
}

TEST_F(TrafficCheck, altitudeBetweenTenAndFourHundredFifty) {
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "BBBB", "9"}, {"09:00:00", "09:15:00", "AAAA", "10"}}));
    add(FlightLineOf("AC#1,N2,50%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "BBBB", "450"}, {"09:00:00", "09:15:00", "AAAA", "451"}}));
    EXPECT_EQ(found(), (Ids{"0/1 altitude", "1/2 altitude"}));
    EXPECT_EQ(report.message(report.problems[0]),
              "AAAA-BBBB: the cruise altitude 9 is below 10 (hundreds of feet).");
    EXPECT_EQ(report.message(report.problems[1]),
              "BBBB-AAAA: the cruise altitude 451 is above 450 (hundreds of feet).");
}

TEST_F(TrafficCheck, noPositionOncePerFlightAndAirport) {
    add(FlightLineOf("AC#1,N1,50%,24Hr,IFR", {{"08:00:00", "08:01:00", "NOPO"},
                                              {"09:00:00", "09:01:00", "AAAA"},
                                              {"10:00:00", "10:01:00", "NOPO"},
                                              {"11:00:00", "11:10:00", "AAAA"},
                                              {"12:00:00", "12:10:00", "BBBB"}}));
    // The legs to and from NOPO are only held to the five minutes; AAAA-BBBB's 80 % still counts.
    EXPECT_EQ(found(), (Ids{"0/- no-position", "0/1 leg-too-short", "0/2 leg-too-short", "0/3 leg-too-short",
                            "0/5 leg-too-short"}));
    EXPECT_EQ(report.message(report.problems[0]),
              "The airport NOPO has no coordinates, so no flight time can be proposed for its legs.");
    EXPECT_EQ(report.message(report.problems[4]),
              "AAAA-BBBB: 12:00:00 to 12:10:00 takes 0:10, under 80 % of the proposed 0:15.");
}

TEST_F(TrafficCheck, unreadableTimesAndPeriodsSkipOnlyTheTimeChecks) {
    const std::vector<test::LegSpec> badLegs[] = {
        {{"8:00", "08:01:00", "BBBB"}, {"09:00:00", "09:01:00", "AAAA"}},
        {{"08:00:00", "24:00:00", "BBBB"}, {"09:00:00", "09:01:00", "AAAA"}},
        {{"08:00:00", "08:60:00", "BBBB"}, {"09:00:00", "09:01:00", "AAAA"}},
        {{"08:00:00", "08:01:00", "BBBB"}, {"1/09:00:00", "09:01:00", "AAAA"}},
        {{"08:00:00", "08:01:00", "BBBB"}, {"09:00:00", "09:01:00x", "AAAA"}},
    };
    int tail = 0;
    const auto head = [&tail](const std::string& period) {
        return "AC#1,T" + std::to_string(++tail) + ",0%," + period + ",IFR";
    };
    for (const auto& legs : badLegs) add(FlightLineOf(head("24Hr"), legs));
    add(FlightLineOf(head("WEEK"),
                     {{"7/08:00:00", "0/08:01:00", "BBBB"}, {"0/09:00:00", "0/09:01:00", "AAAA"}}));
    add(FlightLineOf(head("WEEK"), {{"08:00:00", "08:01:00", "BBBB"}, {"09:00:00", "09:01:00", "AAAA"}}));
    for (const char* period : {"3Hr", "24", "48Hr", "week"})
        add(FlightLineOf(head(period), {{"08:00:00", "08:01:00", "BBBB"}, {"09:00:00", "09:01:00", "AAAA"}}));
    add(FlightLineOf(head("12hr"), {{"08:00:00", "08:01:00", "BBBB"}, {"09:00:00", "09:01:00", "AAAA"}}));
    const Ids ids = found();
    const int count = db.flightTable().count();
    for (int flight = 0; flight < count; ++flight)
        EXPECT_EQ(std::count(ids.begin(), ids.end(), std::to_string(flight) + "/- percent"), 1) << flight;
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(count) + 2)
        << "only the last flight, repeated every 12 hours, has legs of one minute";
    EXPECT_EQ(ids[ids.size() - 2], std::to_string(count - 1) + "/1 leg-too-short");
    EXPECT_EQ(ids.back(), std::to_string(count - 1) + "/2 leg-too-short");
}

TEST_F(TrafficCheck, orderAndCountsOverFlights) {
    add(FlightLineOf("AC#9,N1,0%,24Hr,IFR",
                     {{"08:00:00", "08:15:00", "XXXX", "5"}, {"09:00:00", "09:15:00", "AAAA"}}));
    add("");
    add(FlightLineOf("AC#3,N1,50%,24Hr,IFR", {{"08:00:00", "08:15:00", "AAAA"}}));
    addClean("AC#1,N2,50%,24Hr,IFR");
    EXPECT_EQ(found(),
              (Ids{"0/- duplicate-tail", "0/- percent", "0/- unknown-aircraft", "0/1 altitude",
                   "0/1 unknown-airport", "2/- duplicate-tail", "2/- missing-aircraft", "2/1 same-airport"}));
    EXPECT_EQ(report.errors, 3);
    EXPECT_EQ(report.warnings, 5);
    EXPECT_EQ(report.flightsWithProblems, 2);
    EXPECT_EQ(report.flightsDropped, 1);
    EXPECT_EQ(report.flightsMishandled, 1);

    // Flight by flight, the same problems and counts.
    Ids streamed;
    std::vector<std::string> messages;
    const CheckReport counts = CheckTraffic(db, {}, [&](const CheckReport& flight) {
        streamed.push_back("next flight");
        for (const Problem& p : flight.problems) {
            streamed.push_back(Id(p));
            messages.emplace_back(flight.message(p));
        }
    });
    EXPECT_EQ(streamed, (Ids{"next flight", "0/- duplicate-tail", "0/- percent", "0/- unknown-aircraft",
                             "0/1 altitude", "0/1 unknown-airport", "next flight", "2/- duplicate-tail",
                             "2/- missing-aircraft", "2/1 same-airport"}));
    for (std::size_t i = 0; i < report.problems.size(); ++i)
        EXPECT_EQ(messages.at(i), report.message(report.problems[i]));
    EXPECT_TRUE(counts.problems.empty());
    EXPECT_EQ(counts.errors, 3);
    EXPECT_EQ(counts.warnings, 5);
    EXPECT_EQ(counts.flightsDropped, 1);
    EXPECT_EQ(counts.flightsMishandled, 1);
}

TEST_F(TrafficCheck, flightByFlightKeepsOneFlightsMessagesAtATime) {
    // 20,000 copies of one flight, each with a duplicate tail and a duplicate line: some 2.4 MB of
    // messages in all, which the report handed over must not gather.
    for (int i = 0; i < 20000; ++i) addClean();
    int flights = 0;
    std::size_t first = 0, most = 0;
    CheckTraffic(db, {}, [&](const CheckReport& flight) {
        if (++flights == 1) first = flight.texts.bytes();
        most = std::max(most, flight.texts.bytes());
    });
    EXPECT_EQ(flights, 20000);
    EXPECT_GT(first, 0u);
    EXPECT_EQ(most, first) << "the messages of the flights handed over are let go";
}

TEST_F(TrafficCheck, linesWithoutLegsOrFieldsDoNotTrip) {
    add("AC#1,N1,50%,24Hr,IFR,");
    add("%");
    add("AC#1,N2,50%,24Hr,IFR,08:00:00,08:15:00,100,F,1,,09:00:00,09:15:00,100,F,2,AAAA,");
    const Ids ids = found();
    EXPECT_EQ(ids, (Ids{"1/- percent", "1/- unknown-aircraft"}));
}

} // namespace
