#include "platform/paths.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::TempDir;

TEST(Paths, namesMatchWithoutRegardToCase) {
    TempDir dir;
    dir.write("PROGRAM/TCompiler.exe", "x");
    dir.write("fs/SCENEDB/ATC/Scenery/Traffic.BGL", "bgl");
    EXPECT_TRUE(PathExists(dir.file("PROGRAM/TCompiler.exe"), true));
    EXPECT_TRUE(PathExists(dir.file("program/tcompiler.exe"), true));
    EXPECT_FALSE(PathExists(dir.file("program/tdecompiler.exe"), true));
    EXPECT_EQ(FindPath(dir.file("fs/scenedb/atc/scenery/traffic.bgl")),
              dir.file("fs/SCENEDB/ATC/Scenery/Traffic.BGL"));
    EXPECT_EQ(FindPath(dir.file("fs/scenedb/")), dir.file("fs/SCENEDB/"));
}

TEST(Paths, fileOnlyFlag) {
    TempDir dir;
    dir.write("FS2002/fs2002.exe", "MZ");
    EXPECT_FALSE(PathExists(dir.file("FS2002"), true));
    EXPECT_TRUE(PathExists(dir.file("FS2002"), false));
    EXPECT_TRUE(PathExists(dir.file("fs2002/"), false));
    EXPECT_TRUE(PathExists(dir.file("FS2002/fs2002.exe"), true));
    EXPECT_TRUE(PathExists(dir.file("FS2002/fs2002.exe"), false));
    EXPECT_FALSE(PathExists(dir.file("FS2002/fs2002.exe/"), false));
    EXPECT_FALSE(PathExists(dir.file("FS2002//"), false));
    EXPECT_FALSE(PathExists("", false));
    EXPECT_FALSE(PathExists(dir.file("nothing"), false));
    EXPECT_EQ(WithSeparator("/a"), "/a/");
    EXPECT_EQ(WithSeparator("/a/"), "/a/");
}
