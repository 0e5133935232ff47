#include "environment/scratch.h"
#include "tempdir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;

TEST(Scratch, cleanTempDataIgnoresCaseAndMissingFiles) {
    test::TempDir dir;
    dir.write("AIRCRAFT.TXT", "x");
    dir.write("airports.txt", "x");
    dir.write("Temp.Dat", "x");
    dir.write("keep.txt", "x");
    dir.write("tempdata/aircraft.txt", "x");
    CleanTempData(dir.path(), false);
    EXPECT_FALSE(std::filesystem::exists(dir.file("AIRCRAFT.TXT")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Temp.Dat")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("keep.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("tempdata/aircraft.txt")));
    CleanTempData(dir.path(), true);
    EXPECT_FALSE(std::filesystem::exists(dir.file("tempdata")));
    CleanTempData(dir.file("nowhere/"), true); // nothing there: nothing happens
}

TEST(Scratch, backupNamesAndFolders) {
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 5;
    when.tm_hour = 21;
    when.tm_min = 7;
    EXPECT_EQ(BackupFileName(when), "Traffic (05.12.26 - 21.07).bgl");

    test::TempDir dir;
    EXPECT_EQ(BackupTrafficBgl(dir.path()), "") << "no traffic file, no backup";
    dir.write("SceneDB/atc/SCENERY/Traffic.bgl", "bgl");
    EXPECT_EQ(TrafficBglPath(dir.path()), dir.file("SceneDB/atc/SCENERY/Traffic.bgl"));
    EXPECT_EQ(BackupFolderPath(dir.path()), dir.file("SceneDB/atc/SCENERY/Traffic Backup"));
    MakeFolder(BackupFolderPath(dir.path()));
    const std::string backup = BackupTrafficBgl(dir.path());
    ASSERT_NE(backup, "");
    EXPECT_EQ(dir.read(backup.substr(dir.path().size())), "bgl");
}
