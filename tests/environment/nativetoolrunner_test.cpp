#include "platform/nativetoolrunner.h"
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

#ifdef _WIN32
#include "platform/widetext.h"

#include <windows.h>
#endif

namespace corvane::test {

TEST(ToolRunner, aWindowsCommandLineGivesBackEveryArgument) {
    // The C runtime's rules: blanks and quotes quoted, backslashes doubled only before a quote.
    EXPECT_EQ(WindowsCommandLine({"C:\\Corvane\\TCompiler.exe", "/ep", "/np"}),
              "C:\\Corvane\\TCompiler.exe /ep /np");
    EXPECT_EQ(WindowsCommandLine({"C:\\Program Files\\Corvane\\TDecompiler.exe", "/np"}),
              "\"C:\\Program Files\\Corvane\\TDecompiler.exe\" /np");
    EXPECT_EQ(
        WindowsCommandLine({"t.exe", "two words", "", "say \"hi\"", "C:\\dir\\", "a\\\\b", "tab\there"}),
        "t.exe \"two words\" \"\" \"say \\\"hi\\\"\" C:\\dir\\ a\\\\b \"tab\there\"");
    EXPECT_EQ(WindowsCommandLine({"t.exe", "C:\\Its Folder\\", "back\\\"slash"}),
              "t.exe \"C:\\Its Folder\\\\\" \"back\\\\\\\"slash\"");
#ifdef _WIN32
    // And Windows reads them back as they were given.
    const std::vector<std::string> command{"C:\\Program Files\\t.exe",
                                           "two words",
                                           "",
                                           "say \"hi\"",
                                           "C:\\Its Folder\\",
                                           "back\\\"slash",
                                           "\xCE\xA0\xCF\x84\xCE\xAE\xCF\x83\xCE\xB7"};
    int count = 0;
    LPWSTR* parsed = ::CommandLineToArgvW(WideOf(WindowsCommandLine(command)).c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    std::vector<std::string> back;
    for (int i = 0; i < count; ++i) back.push_back(Utf8OfWide(parsed[i]));
    ::LocalFree(parsed);
    EXPECT_EQ(back, command);
#endif
}

} // namespace corvane::test
