#include "traffic/fields.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
const std::string kNewFlight =
    "AC#x,-,50%,24Hr,IFR,00:00:00,00:00:00,100,F,1,----,00:00:00,00:00:00,100,F,2,";
}

TEST(Fields, takeFieldWalksAnAircraftLine) {
    std::string line = "AC#1,250,";
    EXPECT_EQ(TakeField(line, ','), "AC#1");
    EXPECT_EQ(line, "250,");
    EXPECT_EQ(TakeField(line, ','), "250");
    EXPECT_EQ(line, "");
    EXPECT_EQ(TakeField(line, ','), "");
    EXPECT_EQ(line, "");

    std::string noDelimiter = "abc";
    EXPECT_EQ(TakeField(noDelimiter, ','), "abc");
    EXPECT_EQ(noDelimiter, "");
    std::string leading = ",b";
    EXPECT_EQ(TakeField(leading, ','), "");
    EXPECT_EQ(leading, "b");

    std::string_view view = "a,b,c";
    EXPECT_EQ(TakeField(view, ','), "a");
    EXPECT_EQ(view, "b,c");
}

TEST(Fields, getFieldAtTheEdges) {
    EXPECT_EQ(GetField("x,y,", 1, ','), "x");
    EXPECT_EQ(GetField("x,y,", 2, ','), "y");
    EXPECT_EQ(GetField("x,y,", 3, ','), "");
    EXPECT_EQ(GetField("x,y,", 4, ','), "");
    EXPECT_EQ(GetField("x,y,", 0, ','), "");
    EXPECT_EQ(GetField("x,y,", -3, ','), "");
    EXPECT_EQ(GetField("x,,z", 2, ','), "");
    EXPECT_EQ(GetField("x,,z", 3, ','), "z");
    EXPECT_EQ(GetField("", 1, ','), "");
    EXPECT_EQ(GetField(kNewFlight, 11, ','), "----");
    EXPECT_EQ(GetField(kNewFlight, 17, ','), "");
    EXPECT_EQ(GetField(kNewFlight + "ENGM,", 17, ','), "ENGM");
    EXPECT_EQ(GetField(kNewFlight, 16, ','), "2");
}

TEST(Fields, setFieldReplacesOnlyExistingFields) {
    EXPECT_EQ(SetField("a,b,c", 2, "x", ','), "a,x,c");
    EXPECT_EQ(SetField("a,b,c", 1, "", ','), ",b,c");
    EXPECT_EQ(SetField("a,b,c", 3, "xyz", ','), "a,b,xyz");
    EXPECT_EQ(SetField("a,b,c", 4, "x", ','), "a,b,c");
    EXPECT_EQ(SetField("a,b,c", 0, "x", ','), "a,b,c");
    EXPECT_EQ(SetField("a,b,", 3, "x", ','), "a,b,x");
    EXPECT_EQ(SetField("AC#7,-,50%,", 1, "AC#1", ','), "AC#1,-,50%,");
    EXPECT_EQ(SetField("AC#7,-,50%,", 3, "75%", ','), "AC#7,-,75%,");
}

TEST(Fields, lastFieldAndTrimBackTo) {
    EXPECT_EQ(LastField("C:\\Games\\FS2002\\", '\\'), "FS2002");
    EXPECT_EQ(LastField("/home/pilot/FS2002/", '/'), "FS2002");
    EXPECT_EQ(LastField("/home/pilot/Europe.cvp", '/'), "Europe.cvp");
    EXPECT_EQ(LastField("plain", '/'), "plain");
    EXPECT_EQ(LastField("", '/'), "");
    EXPECT_EQ(LastField("N47* 27.6'", '*'), " 27.6'");
    EXPECT_EQ(LastField("08:30", ':'), "30");

    EXPECT_EQ(TrimBackTo("/a/b/fs2002.exe", '/'), "/a/b/");
    EXPECT_EQ(TrimBackTo("/a/b/", '/'), "/a/b/");
    EXPECT_EQ(TrimBackTo("N47* 27.6'", '*'), "N47*");
    EXPECT_EQ(TrimBackTo("abc", '/'), "");
}

TEST(Fields, splitKeepsEmptyFields) {
    EXPECT_EQ(SplitFields("a,,b,", ','), (std::vector<std::string_view>{"a", "", "b", ""}));
    EXPECT_EQ(SplitFields("", ',').size(), 1u);
    std::vector<std::string_view> into{"left", "over"};
    for (std::string_view text : {"a,,b,", "", "x", ",x,"}) {
        SplitFieldsInto(text, ',', into);
        EXPECT_EQ(into, SplitFields(text, ',')) << text;
    }
}
