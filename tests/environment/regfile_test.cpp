#include "platform/regfile.h"
#include "platform/regtext.h"

#include <gtest/gtest.h>
#include <vector>

using namespace corvane;

namespace {

const std::string kSimKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

const std::string kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n"
    "#time=1da1c2b3d4e5f60\n"
    "\"EXE Path\"=\"C:\\\\Program Files\\\\FS2002\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Blob\"=hex:01,02,03,\\\n"
    "  04,05\n"
    "@=\"default\"\n"
    "\n"
    "[Software\\\\Other] 1700000001\n"
    "\"EXE Path\"=\"elsewhere\"\n"
    "\"Quoted\"=\"say \\\"hi\\\" \\\\ done\"\n"
    "\"Expand\"=str(2):\"%ProgramFiles%\\\\FS\"\n";

} // namespace

TEST(RegFile, readsStringValuesOfTheRightKey) {
    const RegFile file(kSystemReg);
    EXPECT_EQ(file.stringValue(kSimKey, "EXE Path"), "C:\\Program Files\\FS2002");
    EXPECT_EQ(file.stringValue("software\\MICROSOFT\\microsoft games\\flight simulator\\8.0", "exe path"),
              "C:\\Program Files\\FS2002")
        << "names ignore case";
    EXPECT_EQ(file.stringValue("Software\\Other", "EXE Path"), "elsewhere");
    EXPECT_EQ(file.stringValue(kSimKey, ""), "default");
    EXPECT_EQ(file.stringValue("Software\\Other", "Expand"), "%ProgramFiles%\\FS");
    EXPECT_EQ(file.stringValue("Software\\Other", "Quoted"), "say \"hi\" \\ done");

    // Missing keys, values and values of other types read as nothing.
    EXPECT_FALSE(file.stringValue("Software\\Missing", "EXE Path"));
    EXPECT_FALSE(file.stringValue(kSimKey, "Missing"));
    EXPECT_FALSE(file.stringValue(kSimKey, "Count"));
    EXPECT_FALSE(file.stringValue(kSimKey, "Blob"));
    // A key that is only the start of another is not that key.
    EXPECT_FALSE(file.stringValue("Software\\Microsoft", "EXE Path"));
    EXPECT_FALSE(RegFile("").stringValue(kSimKey, "EXE Path"));
}

TEST(RegFile, rewritingAValueChangesOnlyItsLine) {
    RegFile file(kSystemReg);
    file.setStringValue(kSimKey, "exe path", "D:\\FS \"2002\"", 1800000000);
    std::string expected = kSystemReg;
    const std::string oldLine = "\"EXE Path\"=\"C:\\\\Program Files\\\\FS2002\"\n";
    expected.replace(expected.find(oldLine), oldLine.size(), "\"exe path\"=\"D:\\\\FS \\\"2002\\\"\"\n");
    EXPECT_EQ(file.text(), expected);
    EXPECT_EQ(file.stringValue(kSimKey, "EXE Path"), "D:\\FS \"2002\"");
}

TEST(RegFile, aValueSpreadOverLinesIsReplacedWhole) {
    RegFile file(kSystemReg);
    file.setStringValue(kSimKey, "Blob", "text", 0);
    EXPECT_EQ(file.text().find("  04,05"), std::string::npos);
    EXPECT_EQ(file.stringValue(kSimKey, "Blob"), "text");
    EXPECT_EQ(file.stringValue(kSimKey, ""), "default");
}

TEST(RegFile, aNewValueGoesAtTheEndOfItsKey) {
    RegFile file(kSystemReg);
    file.setStringValue("SOFTWARE\\OTHER", "New", "v", 0);
    const std::string text = file.text();
    const auto newLine = text.find("\"New\"=\"v\"\n");
    ASSERT_NE(newLine, std::string::npos);
    EXPECT_GT(newLine, text.find("\"Expand\""));
    EXPECT_EQ(text.substr(0, newLine) + text.substr(newLine + 10), kSystemReg);

    file.setStringValue(kSimKey, "Second", "w", 0);
    EXPECT_EQ(file.stringValue(kSimKey, "Second"), "w");
    // Inserted after @="default" and before the blank line that ends the section.
    EXPECT_NE(file.text().find("@=\"default\"\n\"Second\"=\"w\"\n\n[Software\\\\Other]"), std::string::npos);
}

TEST(RegFile, aNewValueIsNeverTakenForTheRestOfAnother) {
    // The key's last value goes on over lines ending in a backslash, up to the end of the file.
    const std::string text =
        "WINE REGISTRY Version 2\n\n"
        "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1700000000\n"
        "#time=1da1c2b3d4e5f60\n"
        "\"Blob\"=hex:01,02,\\\n"
        "  03,04,\\\n";
    RegFile file(text);
    file.setStringValue(kSimKey, "EXE Path", "C:\\FS2002", 0);
    EXPECT_EQ(file.stringValue(kSimKey, "EXE Path"), "C:\\FS2002") << file.text();
    EXPECT_NE(file.text().find("#time=1da1c2b3d4e5f60\n\"EXE Path\"=\"C:\\\\FS2002\"\n\"Blob\""),
              std::string::npos)
        << file.text();
    // Written again, the value is found and replaced in its place.
    file.setStringValue(kSimKey, "EXE Path", "D:\\FS", 0);
    EXPECT_EQ(file.stringValue(kSimKey, "EXE Path"), "D:\\FS");
    EXPECT_EQ(RegFile(file.text()).stringValue(kSimKey, "EXE Path"), "D:\\FS");
}

TEST(RegFile, aNewKeyIsAddedAtTheEnd) {
    RegFile file(kSystemReg);
    file.setStringValue(kSimKey + "\\Sub]Key", "EXE Path", "C:\\FS", 1800000000);
    EXPECT_EQ(file.text(),
              kSystemReg +
                  "\n[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0\\\\Sub\\]Key] "
                  "1800000000\n\"EXE Path\"=\"C:\\\\FS\"\n");
    EXPECT_EQ(file.stringValue(kSimKey + "\\sub]key", "EXE Path"), "C:\\FS");
}

TEST(RegFile, crLfFilesKeepTheirLineEnds) {
    RegFile file("WINE REGISTRY Version 2\r\n\r\n[A] 1\r\n\"x\"=\"1\"\r\n");
    file.setStringValue("a", "x", "2", 0);
    file.setStringValue("a", "y", "3", 0);
    file.setStringValue("b", "z", "4", 5);
    EXPECT_EQ(file.text(),
              "WINE REGISTRY Version 2\r\n\r\n[A] 1\r\n\"x\"=\"2\"\r\n\"y\"=\"3\"\r\n\r\n[b] 5\r\n"
              "\"z\"=\"4\"\r\n");
}

TEST(RegFile, aLastLineWithoutLineEndIsRewritten) {
    RegFile file("[A] 1\n\"x\"=\"1\"");
    file.setStringValue("A", "x", "22", 0);
    EXPECT_EQ(file.text(), "[A] 1\n\"x\"=\"22\"");
    file.setStringValue("A", "y", "3", 0);
    EXPECT_EQ(file.text(), "[A] 1\n\"x\"=\"22\"\n\"y\"=\"3\"\n");
}

TEST(RegText, escapesAsWineDoes) {
    EXPECT_EQ(EscapeRegText("C:\\a \"b\"", "\""), "C:\\\\a \\\"b\\\"");
    EXPECT_EQ(EscapeRegText("Key]x[", "[]"), "Key\\]x\\[");
    EXPECT_EQ(EscapeRegText("a\tb\nc\x1b", "\""), "a\\tb\\nc\\e");
    EXPECT_EQ(EscapeRegText(std::string("\x01"
                                        "7\x02"
                                        "8",
                                        4),
                            "\""),
              "\\0017\\28");
    // Characters above 127 as UTF-16 code units; four digits when a hex digit follows.
    EXPECT_EQ(EscapeRegText("caf\xC3\xA9", "\""), "caf\\xe9");
    EXPECT_EQ(EscapeRegText("\xC3\xA9"
                            "a",
                            "\""),
              "\\x00e9a");
    EXPECT_EQ(EscapeRegText("\xF0\x9F\x98\x80", "\""), "\\xd83d\\xde00");
    // A byte that is not UTF-8 is the character of its number.
    EXPECT_EQ(EscapeRegText("\xE9", "\""), "\\xe9");
}

TEST(RegText, unescapesWhatItEscapes) {
    for (const std::string& text : std::vector<std::string>{"C:\\Program Files\\FS \"2002\"",
                                                            "caf\xC3\xA9"
                                                            "a1",
                                                            "\xF0\x9F\x98\x80 x",
                                                            std::string("\x01"
                                                                        "7\x00z",
                                                                        4),
                                                            "tab\there[]"}) {
        EXPECT_EQ(UnescapeRegText(EscapeRegText(text, "\"")), text);
        EXPECT_EQ(UnescapeRegText(EscapeRegText(text, "[]")), text);
    }
    EXPECT_EQ(UnescapeRegText("\\x41\\x0042\\101\\q"), "AB\x41q");
}

TEST(RegText, findsTheFirstUnescapedCloser) {
    EXPECT_EQ(FindUnescaped("a\\\"b\"c", '"'), 4u);
    EXPECT_EQ(FindUnescaped("a\\\\\"b", '"'), 3u);
    EXPECT_EQ(FindUnescaped("abc", '"'), std::string_view::npos);
    EXPECT_TRUE(SameRegName("Exe Path", "EXE PATH"));
    EXPECT_FALSE(SameRegName("Exe Path", "EXE PATH2"));
}
