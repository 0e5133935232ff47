#include "ui/qtprompts.h"
#include "ui/textcodec.h"

#include <gtest/gtest.h>

using namespace corvane::ui;

TEST(TextCodec, everyByteSurvivesDisplayAndBack) {
    std::string all;
    for (int b = 0; b <= 0xFF; ++b) all += static_cast<char>(b);
    const QString shown = ToDisplay(all);
    ASSERT_EQ(shown.size(), 256);
    EXPECT_EQ(shown.at(0x80), QChar(0x20AC)) << "0x80 is the euro sign";
    EXPECT_EQ(shown.at(0xE9), QChar(0x00E9));
    EXPECT_EQ(shown.at(0x9F), QChar(0x0178));
    EXPECT_EQ(FromDisplay(shown), all);
}

TEST(TextCodec, charactersWithoutByteAreRefused) {
    QChar refused;
    EXPECT_FALSE(FromDisplay(QStringLiteral("Zürich \u0141\u00F3d\u017A"), &refused));
    EXPECT_EQ(refused, QChar(0x0141)) << "the first character without a byte";
    EXPECT_EQ(FromDisplay(QStringLiteral("Zürich")), std::string("Z\xFCrich"));
    EXPECT_EQ(RefusedCharacterText(QChar(0x0141)).rfind("The character U+0141 ", 0), 0u);
}

TEST(TextCodec, messagesAndPaths) {
    EXPECT_EQ(MessageToDisplay("one\r\ntwo"), QStringLiteral("one\ntwo"));
    EXPECT_EQ(MessageToDisplay("Z\xFCrich"), QStringLiteral("Zürich")) << "Windows-1252";
    EXPECT_EQ(MessageToDisplay("/home/jos\xC3\xA9/x.cvp"), QStringLiteral("/home/josé/x.cvp"))
        << "a UTF-8 host path";
    const QString path = QStringLiteral("/tmp/ünï/ß.cvp");
    EXPECT_EQ(PathToDisplay(PathFromDisplay(path)), path);
}
