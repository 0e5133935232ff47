#include "traffic/text.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(Text, foldsTheLettersOfWindows1252) {
    EXPECT_EQ(Upper("kSea"), "KSEA");
    EXPECT_EQ(Upper("\xE9\xE0\xFE\xF7\xFF\x9A\x9C\x9E\xDF"), "\xC9\xC0\xDE\xF7\x9F\x8A\x8C\x8E\xDF");
    for (int c = 0; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        EXPECT_EQ(UpperChar(UpperChar(byte)), UpperChar(byte)) << "byte " << c;
        const bool asciiLower = c >= 'a' && c <= 'z';
        if (c < 0x80 && !asciiLower) {
            EXPECT_EQ(UpperChar(byte), byte) << "byte " << c;
        }
    }
}

TEST(Text, hashAndEqualityIgnoreCase) {
    const HashIgnoringCase hash;
    const EqualIgnoringCase equal;
    EXPECT_EQ(hash("ksea"), hash("KSEA"));
    EXPECT_EQ(hash("M\xFCnchen"), hash("M\xDCNCHEN"));
    EXPECT_TRUE(equal("Boeing 737", "BOEING 737"));
    EXPECT_FALSE(equal("KSEA", "KSEA "));
    EXPECT_NE(hash("KSEA"), hash("KBFI"));
    for (int c = 0; c < 256; ++c) {
        const std::string byte(1, static_cast<char>(c));
        EXPECT_EQ(hash(byte), hash(Upper(byte))) << "byte " << c;
    }
}
