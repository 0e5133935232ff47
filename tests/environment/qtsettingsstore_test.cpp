#include "platform/inisettings.h"
#include "platform/qt/qtsettingsstore.h"
#include "platform/usersettings.h"
#include "tempdir.h"

#include <QSettings>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::TempDir;

TEST(QtSettingsStore, anyBytesComeBackUnderCorvaneGeneralAndTheCommandLineReadsThem) {
    TempDir dir;
    // Per-user settings go to the test's folder instead of the user's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    EXPECT_EQ(QtSettingsStore().value(kFsPathSetting), "");
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    const std::string values[] = {
        "/home/pilot/.wine/drive_c/Jeux/Flight Simulator \xC3\xA9t\xC3\xA9/",
        "/home/x\xE9y\xFF/FS2002/", // not UTF-8
        "/mnt/a, b; c = d #e/\"quoted\"/back\\slash/",
        " leading and trailing blanks ",
        "@at the start",
        "/caf\xC3\xA9/\xE2\x82\xAC/",
        "tab\there\nnewline",
        everyByte,
        "",
    };
    // The command line reads them where the window keeps them: the INI file here, on Windows the
    // registry.
#ifdef _WIN32
    const auto commandLineStore = UserSettingsForReading();
    const SettingsStore& commandLine = *commandLineStore;
#else
    const IniSettingsStore commandLine(dir.file("Corvane/Corvane.conf"));
#endif
    for (const std::string& value : values) {
        QtSettingsStore().setValue(kFsPathSetting, value);
        EXPECT_EQ(QtSettingsStore().value(kFsPathSetting), value);
        EXPECT_EQ(commandLine.value(kFsPathSetting), value);
    }
    QtSettingsStore().setValue(kFsPathSetting, values[0]);
    const QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    EXPECT_EQ(settings.value(QStringLiteral("General/FS2002 Path")).toString().toStdString(), values[0]);
    EXPECT_EQ(QtSettingsStore().value("Other"), "");
    EXPECT_EQ(commandLine.value("Another Key"), "");
    EXPECT_EQ(IniSettingsStore(dir.file("missing.conf")).value(kFsPathSetting), "");
}
