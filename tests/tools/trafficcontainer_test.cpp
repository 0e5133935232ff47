#include "tempdir.h"
#include "tools/trafficcontainer.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace std::literals;

namespace {

const TrafficTexts kTexts{"AC#1,250,\"Boeing 737-400\"\r\n" + test::EveryByte(),
                          "KSEA,N47* 27.6',W122* 18.5',433,\r\n", ""};

void ExpectSame(const TrafficTexts& a, const TrafficTexts& b) {
    EXPECT_EQ(a.aircraft, b.aircraft);
    EXPECT_EQ(a.airports, b.airports);
    EXPECT_EQ(a.flightPlans, b.flightPlans);
}

} // namespace

TEST(TrafficContainer, givesBackWhatItHolds) {
    const std::string bytes = PackTrafficBgl(kTexts);
    EXPECT_TRUE(bytes.starts_with("CVTRAFIC\x01\0\0\0"sv));
    const auto texts = UnpackTrafficBgl(bytes);
    ASSERT_TRUE(texts);
    ExpectSame(*texts, kTexts);
    const auto empty = UnpackTrafficBgl(PackTrafficBgl({}));
    ASSERT_TRUE(empty);
    ExpectSame(*empty, {});
}

TEST(TrafficContainer, theChecksumIsCrc32) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
}

TEST(TrafficContainer, refusesAWrongHeader) {
    std::string error;
    EXPECT_FALSE(UnpackTrafficBgl("", &error));
    EXPECT_NE(error.find("wrong header"), std::string::npos);
    std::string bytes = PackTrafficBgl(kTexts);
    bytes[8] = 2; // another format version
    EXPECT_FALSE(UnpackTrafficBgl(bytes, &error));
    EXPECT_NE(error.find("version"), std::string::npos);
}

TEST(TrafficContainer, refusesEveryTruncationAndExtraBytes) {
    const std::string bytes = PackTrafficBgl(kTexts);
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(UnpackTrafficBgl(std::string_view(bytes).substr(0, length))) << "length " << length;
    EXPECT_FALSE(UnpackTrafficBgl(bytes + '\0'));
}

TEST(TrafficContainer, refusesAnyChangedByte) {
    const std::string bytes = PackTrafficBgl(kTexts);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        EXPECT_FALSE(UnpackTrafficBgl(changed)) << "byte " << at;
    }
}

TEST(TrafficContainer, refusesLengthsThatDoNotAddUp) {
    // A payload whose checksum matches but whose text lengths run past its end.
    std::string payload(8, '\0');
    payload[0] = 100;
    std::string bytes = "CVTRAFIC";
    bytes += std::string("\x01\0\0\0", 4);
    const std::uint32_t crc = Crc32(payload);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((crc >> (8 * i)) & 0xFF);
    bytes += std::string("\x08\0\0\0\0\0\0\0", 8);
    bytes += payload;
    std::string error;
    EXPECT_FALSE(UnpackTrafficBgl(bytes, &error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}
