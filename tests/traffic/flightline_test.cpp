#include "traffic/fields.h"
#include "traffic/flightline.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(FlightLine, legsAreRotatedAndRoundTrip) {
    const std::string line =
        "AC#3,N123,75%,24Hr,VFR,08:00:00,09:10:00,60,F,101,KBFI,09:40:00,10:50:00,60,F,102,KSEA,";
    const FlightForm form = DecodeFlightLine(line);
    EXPECT_EQ(form.aircraftNumber, "AC#3");
    EXPECT_EQ(form.tail, "N123");
    EXPECT_EQ(form.percent, "75");
    EXPECT_EQ(form.repeat, "24");
    EXPECT_FALSE(form.ifr);
    ASSERT_EQ(form.legs.size(), 2u);
    EXPECT_EQ(form.legs[0], (LegRow{"KSEA", "09:40:00", "10:50:00", "60", "102", "F", "", ""}));
    EXPECT_EQ(form.legs[1], (LegRow{"KBFI", "08:00:00", "09:10:00", "60", "101", "F", "", ""}));
    EXPECT_EQ(EncodeFlightLine(form), line);

    const std::string three =
        "AC#1,-,100%,12Hr,IFR,01:00:00,02:00:00,100,R,1,ESSA,03:00:00,04:00:00,110,F,2,EKCH,"
        "05:00:00,06:00:00,120,F,3,ENGM,";
    const FlightForm loop = DecodeFlightLine(three);
    ASSERT_EQ(loop.legs.size(), 3u);
    EXPECT_EQ(loop.legs[0].destination, "ENGM");
    EXPECT_EQ(loop.legs[1].destination, "ESSA");
    EXPECT_EQ(loop.legs[1].tailFlag, "R");
    EXPECT_EQ(loop.legs[2].destination, "EKCH");
    EXPECT_EQ(EncodeFlightLine(loop), three);
}

TEST(FlightLine, weeklyOneLegFlight) {
    FlightForm form = DecodeFlightLine("AC#1,-,100%,WEEK,IFR,1/08:00:00,1/09:00:00,100,F,1,ENGM,");
    ASSERT_EQ(form.legs.size(), 1u);
    EXPECT_EQ(form.legs[0], (LegRow{"ENGM", "08:00:00", "09:00:00", "100", "1", "F", "1", "1"}));
    EXPECT_TRUE(form.isWeekly());
    EXPECT_EQ(EncodeFlightLine(form), "AC#1,-,100%,WEEK,IFR,1/08:00:00,1/09:00:00,100,F,1,ENGM,");
    form.repeat = "24";
    EXPECT_EQ(EncodeFlightLine(form), "AC#1,-,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,ENGM,");
}

TEST(FlightLine, destinationsInUpperCaseAndOddLines) {
    const FlightForm form = DecodeFlightLine(
        "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,kbfi,10:00:00,11:00:00,100,F,2,ksea,");
    EXPECT_EQ(form.legs[0].destination, "KSEA");
    EXPECT_EQ(form.legs[1].destination, "KBFI");
    EXPECT_EQ(EncodeFlightLine(form),
              "AC#1,-,50%,24Hr,IFR,08:00:00,09:00:00,100,F,1,KBFI,10:00:00,11:00:00,100,F,2,KSEA,");

    // Fields without their suffix are taken as they stand; nothing crashes on short or empty lines.
    const FlightForm bare = DecodeFlightLine("AC#1,-,50,24,IFR,");
    EXPECT_EQ(bare.percent, "50");
    EXPECT_EQ(bare.repeat, "24");
    EXPECT_EQ(bare.legs.size(), 1u);
    EXPECT_EQ(DecodeFlightLine("").legs.size(), 1u);
    EXPECT_EQ(DecodeFlightLine("%").percent, "");
    EXPECT_EQ(DecodeFlightLine("AC#1,-,%,Hr,IFR,").repeat, "");
}

TEST(FlightLine, destinationCursorWalksLikeTheFieldReader) {
    for (const std::string_view line :
         {"AC#1,-,50%,24Hr,IFR,a,b,c,d,e,X1,a,b,c,d,e,X2,a,b,c,d,e,,a,b,c,d,e,X4,",
          "AC#1,-,50%,24Hr,IFR,a,b,c,d,e,X1,a,b,c,d,e,X2", "AC#1,-,50%,24Hr,IFR,a,b,c,d,e,X1,a,b,c,d",
          "AC#1,-,50%,24Hr,IFR,a,b,c,d,e,", "AC#1,-,50%,24Hr,IFR,a,b,c,d,e", ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
          "", ",,,,,,,,,,X,,,,,,Y", "AC#1,-,50%,24Hr,IFR,a,b,c,d,e,X1,a,b,c,d,e,X2,a,b,c,d,e,X3,"}) {
        std::vector<std::string_view> walked;
        DestinationCursor cursor(line);
        std::string_view destination;
        while (cursor.next(destination)) walked.push_back(destination);
        EXPECT_FALSE(cursor.next(destination)) << line;

        std::vector<std::string_view> expected;
        const auto fields = SplitFields(line, ',');
        for (std::size_t p = kFirstDestinationField; p <= fields.size() && !fields[p - 1].empty();
             p += kFieldsPerLeg)
            expected.push_back(fields[p - 1]);
        EXPECT_EQ(walked, expected) << line;
        EXPECT_EQ(FlightDestinations(line), expected) << line;
    }
}
