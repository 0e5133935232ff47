#include "platform/qtsettingstext.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(QtSettingsText, valuesAsQSettingsStoresThemAndBack) {
    // Text as it is; a leading "@" doubled; bytes that are not UTF-8 as a byte array.
    EXPECT_EQ(QtSettingsText("C:/FS2002/"), "C:/FS2002/");
    EXPECT_EQ(QtSettingsText("@home"), "@@home");
    EXPECT_EQ(QtSettingsText("\xCE\xA0"), "\xCE\xA0");
    EXPECT_EQ(QtSettingsText("/home/\xE9t\xE9"), "@ByteArray(/home/\xC3\xA9t\xC3\xA9)");
    EXPECT_EQ(QtSettingsText(""), "");

    EXPECT_EQ(QtSettingsValue(U"C:/FS2002/"), "C:/FS2002/");
    EXPECT_EQ(QtSettingsValue(U"@@home"), "@home");
    EXPECT_EQ(QtSettingsValue(U"\u03A0"), "\xCE\xA0");
    EXPECT_EQ(QtSettingsValue(U"@ByteArray(/home/\u00e9t\u00e9)"), "/home/\xE9t\xE9");
    EXPECT_EQ(QtSettingsValue(U"@Variant(\\0\\0\\0\\x7f)"), "") << "a value of another type";

    // Every value comes back through its stored text.
    for (const std::string value : {"C:/FS2002/", "@", "@@x", "/home/\xE9t\xE9\xFF", "\xF0\x9F\x9B\xA9 ok"}) {
        const std::string text = QtSettingsText(value);
        std::u32string stored;
        for (std::size_t i = 0; i < text.size();) {
            // The stored text is UTF-8; take its code points back.
            const auto b = static_cast<unsigned char>(text[i]);
            const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            char32_t c = length == 1 ? b : b & (0x7F >> length);
            for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            stored += c;
            i += static_cast<std::size_t>(length);
        }
        EXPECT_EQ(QtSettingsValue(stored), value) << value;
    }
}
