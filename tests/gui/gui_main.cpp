// One QApplication for the GoogleTest cases of a widget test program. The program's settings (what the
// window remembers) go to a folder of this test program's own, never to the user's, and each test
// starts without any.
#include "tempdir.h"

#include <QApplication>
#include <QSettings>
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
    QApplication app(argc, argv);
    const corvane::test::TempDir settings;
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QString::fromStdString(settings.path()));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
    return RUN_ALL_TESTS();
}
