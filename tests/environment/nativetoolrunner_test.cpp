#include "environment/nativetoolrunner.h"
#include "toolrunnercontract.h"

namespace corvane::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Native, ToolRunnerContract, NativeToolRunner);

TEST(ToolRunner, recognisesWindowsPrograms) {
    TempDir dir;
    EXPECT_TRUE(IsWindowsProgram(dir.write("a.exe", "MZ")));
    EXPECT_FALSE(IsWindowsProgram(dir.write("b.exe", "\x7f"
                                                     "ELF")));
    EXPECT_FALSE(IsWindowsProgram(dir.write("c.exe", "M")));
    EXPECT_FALSE(IsWindowsProgram(dir.write("d.exe", "mz")));
    EXPECT_FALSE(IsWindowsProgram(dir.file("missing.exe")));
}

} // namespace corvane::test
