// One QApplication for the GoogleTest cases of a widget test program. The program's settings (what the
// window remembers) go to a folder of this test program's own, never to the user's, and each test
// starts without any.
//
// The programs draw on the offscreen platform unless QT_QPA_PLATFORM names another, and
// --scale-factor=N scales their screen: Wine does not hand QT_* variables to a Windows program, so
// there the test's command line carries what the environment carries on Linux.
#include "tempdir.h"

#include <QApplication>
#include <QFont>
#include <QSettings>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class FreshSettings : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        QSettings(QStringLiteral("Corvane"), QStringLiteral("Corvane")).clear();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const char* scale = "--scale-factor=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], scale, std::strlen(scale)) == 0)
            qputenv("QT_SCALE_FACTOR", argv[i] + std::strlen(scale));
#ifdef CORVANE_TEST_FONT_FOLDER
    // On Windows the offscreen platform finds fonts only in a folder it is told of; given Linux's own
    // font, the widgets measure as they do there.
    const bool linuxFont = !qEnvironmentVariableIsSet("QT_QPA_FONTDIR");
    if (linuxFont) qputenv("QT_QPA_FONTDIR", CORVANE_TEST_FONT_FOLDER);
#endif
    QApplication app(argc, argv);
#ifdef CORVANE_TEST_FONT_FOLDER
    if (linuxFont) QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
#endif
    const corvane::test::TempDir settings;
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QString::fromStdString(settings.path()));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
