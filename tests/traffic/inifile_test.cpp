#include "tempdir.h"
#include "traffic/inifile.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
const char* kAircraftCfg = "; Boeing 737-400 for FS2002\r\n"
                           "[FLTSIM.0]\r\n"
                           "Title = \"Boeing 737-400 Paint1\"  \r\n"
                           "sim=Boeing737-400\r\n"
                           "\r\n"
                           "[fltsim.1]\r\n"
                           "  TITLE='Boeing 737-400 Paint2'\r\n"
                           ";title=commented out\r\n"
                           "title=second title is ignored\r\n"
                           "[fltsim.2]\r\n"
                           "title= \"unbalanced\r\n"
                           "[fltsim.3]\r\n"
                           "title=Inline ; not a comment\r\n"
                           "\r\n"
                           "[Reference Speeds]\r\n"
                           "\tcruise_speed\t=\t 430.5 ;Knots True (KTAS)\r\n"
                           "[reference speeds]\r\n"
                           "cruise_speed=999\r\n"
                           "[General]\n"
                           "empty=\n"
                           "quoted=\"\"\n";
}

TEST(IniFile, readsLikeTheProfileReader) {
    const IniFile ini(kAircraftCfg);
    EXPECT_EQ(ini.value("fltsim.0", "title", ""), "Boeing 737-400 Paint1");
    EXPECT_EQ(ini.value("FltSim.1", "Title", ""), "Boeing 737-400 Paint2");
    EXPECT_EQ(ini.value("fltsim.2", "title", ""), "\"unbalanced");
    EXPECT_EQ(ini.value("fltsim.3", "title", ""), "Inline ; not a comment");
    EXPECT_EQ(ini.value("fltsim.4", "title", "none"), "none");
    EXPECT_EQ(ini.value("Reference Speeds", "cruise_speed", "0"), "430.5 ;Knots True (KTAS)");
    EXPECT_EQ(ini.value("general", "empty", "x"), "");
    EXPECT_EQ(ini.value("general", "quoted", "x"), "");
    EXPECT_EQ(ini.value("general", "missing", "x"), "x");
}

TEST(IniFile, valuesAreCutTo199Characters) {
    const std::string longValue(300, 'a');
    const IniFile ini("[s]\nk=\"" + longValue + "\"\nn=ab" + std::string(1, '\0') + "cd\n");
    EXPECT_EQ(ini.value("s", "k", ""), std::string(199, 'a'));
    EXPECT_EQ(ini.value("s", "n", ""), "ab");
}

TEST(IniFile, readIniValueFromFile) {
    test::TempDir dir;
    const std::string path = dir.write("aircraft.cfg", "\xEF\xBB\xBF[fltsim.0]\ntitle=With BOM\n");
    EXPECT_EQ(ReadIniValue(path, "fltsim.0", "title", ""), "With BOM");
    EXPECT_EQ(ReadIniValue(dir.file("missing.cfg"), "fltsim.0", "title", "dflt"), "dflt");
}
