// The airport board: which movements and stays a flight gives an airport, and how zones, days and
// repeat periods place them on the board and its chart.

#include "../checks/checkfixture.h"
#include "board/airportboard.h"
#include "board/boardtext.h"
#include "checks/periodclock.h"

#include <gtest/gtest.h>

using namespace corvane;
using test::FlightLineOf;

namespace {

constexpr int kGmt = 12;
constexpr int kHour = 3600;

// The check's airports and aircraft: AC#1 is the installed Jet, AC#3 the Ghost not installed.
struct BoardFixture : test::CheckFixture {
    int add(const std::string& head, const std::vector<test::LegSpec>& legs) {
        return CheckFixture::add(FlightLineOf(head, legs));
    }
    const AirportBoard& build(const std::string& code, int zone = kGmt, int day = -1) {
        traffic = CollectAirportTraffic(db, code);
        board = BuildAirportBoard(traffic, zone, day);
        return board;
    }
    // Each row as "day time flight/leg", the day left out for rows of every day.
    static std::vector<std::string> Rows(const std::vector<BoardRow>& rows) {
        std::vector<std::string> texts;
        for (const BoardRow& row : rows)
            texts.push_back((row.day >= 0 ? BoardCell(row, DayColumn) + " " : std::string()) +
                            BoardCell(row, TimeColumn) + " " + std::to_string(row.movement->flight) + "/" +
                            std::to_string(row.movement->leg));
        return texts;
    }
    std::vector<int> onGround() const {
        std::vector<int> hours;
        for (int h = 0; h < 24; ++h) hours.push_back(board.hour(h).onGround);
        return hours;
    }

    AirportTraffic traffic;
    AirportBoard board;
};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(BoardFixture, eachLegGivesItsMovementsAndEachArrivalAStay) {
    // AAAA -> BBBB -> CCCC -> AAAA every day; the line holds BBBB in lower case.
    add("AC#1,N1,50%,24Hr,IFR", {{"08:00:00", "09:00:00", "bbbb"},
                                 {"09:40:00", "10:30:00", "CCCC"},
                                 {"12:00:00", "13:05:30", "AAAA"}});
    add("AC#3,N2,75%,24Hr,VFR", {{"14:00:00", "15:00:00", "BBBB"}, {"16:00:00", "17:00:00", "XXXX"}});
    add("AC#9,N3,100%,24Hr,IFR", {{"18:00:00", "19:00:00", "BBBB"}}); // one leg: from BBBB to BBBB
    add("AC#1,N4,50%,24Hr,IFR", {{"08:00:00", "9:00", "BBBB"}, {"10:00:00", "11:00:00", "AAAA"}});
    add("AC#1,N5,50%,3Hr,IFR", {{"08:00:00", "09:00:00", "BBBB"}, {"10:00:00", "11:00:00", "AAAA"}});
    // Unreadable only where it does not touch BBBB: kept.
    add("AC#1,N6,50%,24Hr,IFR",
        {{"20:00:00", "21:00:00", "BBBB"}, {"22:00:00", "23:00:00", "AAAA"}, {"x", "y", "CCCC"}});

    build("bbbb");
    EXPECT_EQ(board.code, "BBBB");
    EXPECT_EQ(board.unreadableFlights, 2) << "a time at BBBB and a period that no flight can have";
    EXPECT_EQ(Rows(board.departures), (Texts{"09:40 0/2", "16:00 1/2", "18:00 2/1", "22:00 5/2"}));
    EXPECT_EQ(Rows(board.arrivals), (Texts{"09:00 0/1", "15:00 1/1", "19:00 2/1", "21:00 5/1"}));

    const BoardRow& out = board.departures[0];
    const Texts cells{"09:40", "", "2", "N1", "Jet", "CCCC Charlie", "50", "IFR", "daily"};
    for (int column = 0; column < kBoardColumnCount; ++column)
        EXPECT_EQ(BoardCell(out, column), cells[static_cast<std::size_t>(column)]) << column;
    EXPECT_EQ(BoardCell(board.arrivals[0], AirportColumn), "AAAA Alpha") << "where the leg came from";
    EXPECT_EQ(BoardCell(board.departures[1], AircraftColumn), "Ghost (not installed)");
    EXPECT_EQ(BoardCell(board.departures[1], AirportColumn), "XXXX") << "no name known";
    EXPECT_EQ(BoardCell(board.departures[1], RulesColumn), "VFR");
    EXPECT_EQ(BoardCell(board.departures[2], AircraftColumn), "AC#9") << "in neither aircraft table";
    EXPECT_EQ(BoardCell(board.departures[2], AirportColumn), "BBBB Bravo");

    ASSERT_EQ(traffic.stays.size(), 4u);
    EXPECT_EQ(traffic.stays[0].from, 9 * kHour);
    EXPECT_EQ(traffic.stays[0].length, 40 * 60) << "from the arrival of leg 1 to the departure of leg 2";
    EXPECT_EQ(traffic.stays[2].length, 23 * kHour) << "the one-leg flight stays until it leaves again";
    EXPECT_EQ(onGround()[9], 2) << "flight 0 from 09:00 and the one-leg flight all day but 18:00-19:00";
    EXPECT_EQ(onGround()[10], 1);
    EXPECT_EQ(onGround()[18], 0);

    build("CCCC");
    EXPECT_EQ(Rows(board.arrivals), (Texts{"10:30 0/2"}));
    EXPECT_EQ(board.unreadableFlights, 1) << "flight 5's times at CCCC cannot be read";
    build("");
    EXPECT_TRUE(board.departures.empty() && board.arrivals.empty());
}

TEST_F(BoardFixture, aLegAcrossMidnightAndAWeeklyFlightAcrossTheWeeksEnd) {
    // Daily: leaves AAAA at 23:30 and lands at BBBB at 01:10, back at 05:00.
    add("AC#1,D,100%,24Hr,IFR", {{"23:30:00", "01:10:00", "BBBB"}, {"05:00:00", "06:40:00", "AAAA"}});
    // Weekly: leaves AAAA on Saturday 23:30 and lands at BBBB on Sunday 00:40; back on Sunday 06:00.
    add("AC#1,W,100%,WEEK,IFR", {{"6/23:30:00", "0/00:40:00", "BBBB"}, {"0/06:00:00", "0/07:30:00", "AAAA"}});

    build("BBBB");
    EXPECT_EQ(Rows(board.arrivals), (Texts{"Sun 00:40 1/1", "01:10 0/1"}));
    build("BBBB", kGmt, 0);
    EXPECT_EQ(Rows(board.arrivals), (Texts{"Sun 00:40 1/1", "01:10 0/1"}))
        << "the daily flight is on Sunday too";
    EXPECT_EQ(onGround(),
              (std::vector<int>{1, 2, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}))
        << "the weekly aircraft until 06:00, the daily one until 05:00, neither in the hour they leave";
    build("BBBB", kGmt, 6);
    EXPECT_EQ(Rows(board.arrivals), (Texts{"01:10 0/1"}));
    EXPECT_EQ(board.hour(0).onGround, 0);

    // At -1 the weekly arrival is on Saturday, 23:40; the daily one at 00:10.
    build("BBBB", kGmt - 1, 6);
    EXPECT_EQ(Rows(board.arrivals), (Texts{"00:10 0/1", "Sat 23:40 1/1"}));
    EXPECT_EQ(board.hour(23).arrivals, 1);
    EXPECT_EQ(board.hour(23).onGround, 1) << "it stays on into Sunday";
    // At +1 the weekly departure from AAAA moves from Saturday to Sunday.
    build("AAAA", kGmt + 1, 0);
    EXPECT_EQ(Rows(board.departures), (Texts{"00:30 0/1", "Sun 00:30 1/1"}));
    // Both leave at 00:30; the daily aircraft is back at 07:40, the weekly one at 08:30 for the week.
    EXPECT_EQ(onGround(),
              (std::vector<int>{2, 0, 0, 0, 0, 0, 0, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
    build("AAAA", kGmt + 1, 6);
    EXPECT_EQ(Rows(board.departures), (Texts{"00:30 0/1"}));
    EXPECT_EQ(board.hour(0).onGround, 2) << "the weekly aircraft stays from Sunday to Sunday";
}

TEST_F(BoardFixture, everyZoneShiftsTheRowsAndTheChart) {
    add("AC#1,W,50%,WEEK,IFR", {{"2/22:15:00", "3/01:05:00", "BBBB"}, {"3/09:00:00", "3/11:00:00", "AAAA"}});
    add("AC#1,E,25%,8Hr,IFR", {{"01:00:00", "02:00:00", "BBBB"}, {"03:30:00", "04:30:00", "AAAA"}});
    add("AC#1,D,100%,24Hr,IFR", {{"12:00:00", "13:00:00", "BBBB"}, {"23:50:00", "00:50:00", "AAAA"}});
    const AirportTraffic gmtTraffic = CollectAirportTraffic(db, "BBBB");
    const AirportBoard gmt = BuildAirportBoard(gmtTraffic, kGmt, -1);
    for (int zone = 0; zone < 25; ++zone) {
        const int offset = zone - kGmt;
        build("BBBB", zone);
        EXPECT_EQ(board.departures.size(), gmt.departures.size());
        for (const auto* rows : {&board.departures, &board.arrivals})
            for (const BoardRow& row : *rows) {
                const AirportMovement& m = *row.movement;
                const bool weekly = m.period == kWeekSeconds;
                // The stored GMT time of the repetition, moved by the zone's hours.
                const int local = (weekly ? row.day * kDaySeconds : 0) + row.time;
                const int gmtTime =
                    ClockDifference(0, local - offset * kHour, weekly ? kWeekSeconds : kDaySeconds);
                EXPECT_EQ(gmtTime % m.period, m.at) << zone << " " << BoardCell(row, TimeColumn);
            }
        for (int h = 0; h < kWeekHours; ++h)
            ASSERT_EQ(board.week[static_cast<std::size_t>(h)],
                      gmt.week[static_cast<std::size_t>((h - offset + kWeekHours) % kWeekHours)])
                << "zone " << zone << " hour " << h;
    }
    build("BBBB", 14, -1); // +2: the weekly arrival is Wednesday 03:05
    EXPECT_EQ(Rows(board.arrivals),
              (Texts{"Wed 03:05 0/1", "04:00 1/1", "12:00 1/1", "15:00 2/1", "20:00 1/1"}))
        << "three of the 8-hour flight, one daily, one weekly";
}

TEST_F(BoardFixture, periodsShorterThanADayRepeatWithinIt) {
    for (const int hours : {1, 2, 4, 6, 8, 12, 24}) {
        db.flightTable().clear();
        // At BBBB from 00:25 to 00:35 of each period, off again at 00:50 to AAAA.
        add("AC#1,N1,100%," + std::to_string(hours) + "Hr,IFR",
            {{"00:10:00", "00:25:00", "BBBB"}, {"00:35:00", "00:50:00", "AAAA"}});
        build("BBBB", kGmt + 3, 2);
        const int count = 24 / hours;
        ASSERT_EQ(board.departures.size(), static_cast<std::size_t>(count)) << hours;
        // At +3 the repetitions fall in the hours h with h = 3 modulo the period, in time order.
        for (int k = 0; k < count; ++k)
            EXPECT_EQ(board.departures[static_cast<std::size_t>(k)].time,
                      (3 % hours + k * hours) * kHour + 35 * 60)
                << hours << " " << k;
        for (int h = 0; h < 24; ++h) {
            const bool repeats = h % hours == 3 % hours;
            EXPECT_EQ(board.hour(h).departures, repeats ? 1 : 0) << hours << " " << h;
            EXPECT_EQ(board.hour(h).arrivals, repeats ? 1 : 0) << hours << " " << h;
            EXPECT_EQ(board.hour(h).onGround, repeats ? 1 : 0) << hours << " " << h;
        }
        EXPECT_EQ(board.scheduled(), 2 * count);
        EXPECT_EQ(BoardCell(board.departures[0], RepeatColumn),
                  hours == 24  ? "daily"
                  : hours == 1 ? "every hour"
                               : "every " + std::to_string(hours) + " hours");
    }
}

TEST_F(BoardFixture, percentsWeighTheExpectedMovementsAndTheChartSaysWhichDay) {
    // Daily visits to BBBB: arrival, departure and percent. At 10:30 one aircraft leaves as another lands.
    const struct {
        const char* arrival;
        const char* departure;
        const char* percent;
    } visits[] = {{"08:00:00", "10:30:00", "100"}, {"10:30:00", "12:00:00", "50"},
                  {"11:10:00", "11:40:00", "10"},  {"13:00:00", "13:30:00", "0"},
                  {"14:00:00", "14:10:00", "150"}, {"15:00:00", "15:05:00", "-5"},
                  {"16:00:00", "16:05:00", "abc"}};
    for (const auto& visit : visits)
        add(std::string("AC#1,N1,") + visit.percent + "%,24Hr,IFR",
            {{"06:00:00", visit.arrival, "BBBB"}, {visit.departure, "20:00:00", "AAAA"}});
    build("BBBB");
    EXPECT_EQ(onGround(),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}))
        << "one aircraft in the hour from 10:00, as one leaves when the other lands";
    EXPECT_EQ(board.scheduled(), 14);
    EXPECT_NEAR(board.expected(), 5.2, 1e-9) << "150 % counts as 100, below 0 and no number as 0";
    EXPECT_EQ(board.chartKind, ChartDay::EveryDay);
    EXPECT_EQ(ChartTitle(board), "Movements per hour of every day (GMT)");
    EXPECT_EQ(CountsText(board),
              "Scheduled 14 movements. Expected 5.2 movements. At most 2 aircraft on the ground at once "
              "(11:00-12:00).");
    EXPECT_EQ(HourTip(board, 10), "10:00-11:00 GMT: 1 departure, 1 arrival (expected 1.5)\r\n"
                                  "At most 1 aircraft on the ground");

    // A weekly visit on Tuesday makes it the busiest day; a day chosen is shown as it is.
    add("AC#1,W,100%,WEEK,IFR", {{"2/06:00:00", "2/18:00:00", "BBBB"}, {"2/19:00:00", "2/20:00:00", "AAAA"}});
    add("AC#1,W,100%,WEEK,IFR", {{"2/06:00:00", "2/18:00:00", "BBBB"}, {"19:00:00", "2/20:00:00", "AAAA"}});
    build("BBBB", kGmt - 5);
    EXPECT_EQ(board.chartKind, ChartDay::Busiest);
    EXPECT_EQ(board.chartDay, 2);
    add("AC#1,T,100%,WEEK,IFR", {{"4/06:00:00", "4/18:00:00", "BBBB"}, {"4/19:00:00", "4/20:00:00", "AAAA"}});
    build("BBBB", kGmt - 5);
    EXPECT_EQ(board.chartDay, 2) << "Thursday is as busy: the first of them";
    EXPECT_EQ(board.scheduled(), 16);
    EXPECT_EQ(ChartTitle(board), "Movements per hour on Tue, the busiest day (GMT-5)");
    EXPECT_EQ(HourTip(board, 13), "Tue 13:00-14:00 GMT-5: 0 departures, 1 arrival (expected 1.0)\r\n"
                                  "At most 1 aircraft on the ground");
    EXPECT_EQ(CountsText(board),
              "Scheduled 16 movements. Expected 7.2 movements. At most 2 aircraft on the "
              "ground at once (06:00-07:00). 1 flight left out: the repeat period or times "
              "cannot be read.");
    build("BBBB", kGmt, 3);
    EXPECT_EQ(board.chartKind, ChartDay::Chosen);
    EXPECT_EQ(ChartTitle(board), "Movements per hour on Wed (GMT)");
    EXPECT_EQ(board.scheduled(), 14);
    EXPECT_EQ(board.departures.size(), 7u) << "the weekly flight flies on Tuesday";
}
