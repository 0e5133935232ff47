#include "traffic/text.h"
#include "traffic/trafficdatabase.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace corvane;

TEST(Text, everySmallLetterFoldsToItsCapital) {
    // The letters of Windows-1252 with a capital: a-z, s, oe and z with caron, y with diaeresis (whose
    // capital lies at 0x9F), and the accented letters 0xE0-0xFE but the division sign.
    const std::string small = "abcdefghijklmnopqrstuvwxyz\x9A\x9C\x9E\xFF"
                              "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                              "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE";
    const std::string capital = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\x8A\x8C\x8E\x9F"
                                "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                                "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE";
    ASSERT_EQ(small.size(), capital.size());
    EXPECT_EQ(Upper(small), capital);
    // Every other byte, the capitals among them, stays as it is.
    for (int c = 0; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        if (small.find(byte) == std::string::npos) {
            EXPECT_EQ(UpperChar(byte), byte) << "byte " << c;
        }
    }

    // Every letter typed small finds the code written in capitals ("lszh" finds LSZH), and the other way.
    TrafficDatabase db;
    for (std::size_t i = 0; i < small.size(); ++i) db.airportTable().add({"X" + capital.substr(i, 1)});
    for (std::size_t i = 0; i < small.size(); ++i) {
        EXPECT_EQ(db.airportTable().findByIcao("X" + small.substr(i, 1)), static_cast<int>(i))
            << "letter " << i;
        EXPECT_TRUE(EqualsIgnoringCase(small.substr(i, 1), capital.substr(i, 1))) << "letter " << i;
    }
    db.airportTable().add({"LSZH"});
    EXPECT_GE(db.airportTable().findByIcao("lszh"), 0);
}

TEST(Text, searchFoldTakesEveryAccentedLetterForItsPlainOne) {
    // The letters of Windows-1252 with accents, and its ligatures, capital and small, as a search sees
    // them.
    const std::pair<const char*, const char*> letters[] = {
        {"\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "A"},
        {"\xC6\xE6", "AE"},
        {"\xC7\xE7", "C"},
        {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "E"},
        {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "I"},
        {"\xD0\xF0", "D"},
        {"\xD1\xF1", "N"},
        {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "O"},
        {"\x8C\x9C", "OE"},
        {"\x8A\x9A", "S"},
        {"\xDF", "SS"},
        {"\xDE\xFE", "TH"},
        {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "U"},
        {"\xDD\xFD\x9F\xFF", "Y"},
        {"\x8E\x9E", "Z"},
    };
    std::array<bool, 256> listed{};
    for (const auto& [bytes, plain] : letters)
        for (const char* b = bytes; *b != '\0'; ++b) {
            EXPECT_EQ(SearchFold(std::string(1, *b)), plain) << "byte " << +static_cast<unsigned char>(*b);
            listed[static_cast<unsigned char>(*b)] = true;
        }
    for (int c = 0; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        if (!listed[static_cast<std::size_t>(c)]) {
            EXPECT_EQ(SearchFold(std::string(1, byte)), std::string(1, UpperChar(byte))) << "byte " << c;
        }
    }
    EXPECT_EQ(SearchFold("\xC6r\xF8 \xDF\x9Atra\xDF"
                         "e \x8Cuvre Z\xFCrich"),
              "AERO SSSTRASSE OEUVRE ZURICH");
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

TEST(Text, countAndSortOfLongInputs) {
    // Counts over more than the 255 rounds a byte lane holds, with hits at both ends.
    std::string text(10'000, '\n');
    EXPECT_EQ(CountByte(text, '\n'), 10'000u);
    text.assign(10'001, 'x');
    text.front() = text.back() = text[4'096] = '\r';
    EXPECT_EQ(CountByte(text, '\r'), 3u);
    EXPECT_EQ(CountByte(text.substr(1, 9), '\r'), 0u);

    // The sort's order is a stable sort's, for texts short and long, sharing long prefixes, differing in
    // case only.
    std::mt19937 random(1952);
    std::vector<std::string> texts;
    for (int i = 0; i < 2000; ++i) {
        std::string t = std::vector<std::string>{"Boeing 737-", "boeing 737", "KB", "kb", ""}[random() % 5];
        for (unsigned n = random() % 4; n > 0; --n) t += "aAb\xE9\xC9\0"[random() % 6];
        texts.push_back(t + (random() % 3 ? "" : std::to_string(i)));
    }
    std::vector<std::string> expected = texts;
    std::stable_sort(expected.begin(), expected.end(), LessIgnoringCase());
    StableSortIgnoringCase(texts.begin(), texts.end(),
                           [](const std::string& t) -> std::string_view { return t; });
    EXPECT_EQ(texts, expected);
}
