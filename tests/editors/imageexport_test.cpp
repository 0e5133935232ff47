#include "editors/imageexport.h"
#include "platform/textfile.h"
#include "scriptedprompts.h"
#include "tempdir.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

const auto kPicture = []() -> std::optional<std::string> { return std::string("\x89PNG picture"); };

} // namespace

TEST(ExportMapImage, asksWhereAddsTheExtensionAndWrites) {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    prompts.expectFile(std::nullopt);
    EXPECT_EQ(ExportMapImage(prompts, kPicture), std::nullopt) << "cancelled";
    ASSERT_EQ(prompts.fileRequests().size(), 1u);
    EXPECT_EQ(prompts.fileRequests()[0].title, "Export Map Image");
    EXPECT_EQ(prompts.fileRequests()[0].filter, "PNG Image (*.png)|*.png");
    EXPECT_EQ(prompts.fileRequests()[0].mode, FileRequest::Mode::Save);

    prompts.expectFile(dir.file("routes"));
    EXPECT_EQ(ExportMapImage(prompts, kPicture), dir.file("routes.png"));
    EXPECT_EQ(dir.read("routes.png"), "\x89PNG picture");
    prompts.expectFile(dir.file("map.old.PNG"));
    EXPECT_EQ(ExportMapImage(prompts, kPicture), dir.file("map.old.PNG")) << "a name with an extension stays";
    EXPECT_TRUE(prompts.done());
}

TEST(ExportMapImage, anExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    test::TempDir dir;
    dir.write("map.png", "old");
    test::ScriptedPrompts prompts;
    prompts.expectFile(dir.file("map.png")).expect("Overwrite existing file", Answer::No);
    EXPECT_EQ(ExportMapImage(prompts, kPicture), std::nullopt);
    EXPECT_EQ(dir.read("map.png"), "old");
    prompts.expectFile(dir.file("map.png")).expect("Overwrite existing file", Answer::Yes);
    EXPECT_EQ(ExportMapImage(prompts, kPicture), dir.file("map.png"));
    EXPECT_EQ(dir.read("map.png"), "\x89PNG picture");
    EXPECT_TRUE(prompts.done());
}

TEST(ExportMapImage, failuresAreShownAndLeaveTheOldFile) {
    test::TempDir dir;
    dir.write("map.png", "old");
    test::ScriptedPrompts prompts;
    prompts.expectFile(dir.file("map.png"))
        .expect("Overwrite existing file", Answer::Yes)
        .expect("Export Map Image");
    EXPECT_EQ(ExportMapImage(prompts, [] { return std::optional<std::string>(); }), std::nullopt);
    EXPECT_EQ(prompts.shown().back().text, "The picture of the map could not be made.");

    SetAtomicWriteFailureForTesting(3);
    prompts.expectFile(dir.file("map.png"))
        .expect("Overwrite existing file", Answer::Yes)
        .expect("Error writing file");
    EXPECT_EQ(ExportMapImage(prompts, kPicture), std::nullopt);
    SetAtomicWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(dir.read("map.png"), "old");
    EXPECT_TRUE(prompts.done());
}
