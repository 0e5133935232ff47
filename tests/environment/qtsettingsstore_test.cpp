#include "environment/qt/qtsettingsstore.h"
#include "tempdir.h"

#include <QSettings>
#include <filesystem>
#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::TempDir;

TEST(QtSettingsStore, keepsTheSimulatorFolderUnderCorvaneGeneral) {
    TempDir dir;
    // Per-user settings go to the test's folder instead of the user's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir.path()));

    QtSettingsStore store;
    EXPECT_EQ(store.value(kFsPathSetting), "");
    const std::string folder = "/home/pilot/.wine/drive_c/Jeux/Flight Simulator \xC3\xA9t\xC3\xA9/";
    store.setValue(kFsPathSetting, folder);
    EXPECT_TRUE(std::filesystem::exists(dir.file("Corvane/Corvane.conf")));

    EXPECT_EQ(QtSettingsStore().value(kFsPathSetting), folder);
    const QSettings settings(QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    EXPECT_EQ(settings.value(QStringLiteral("General/FS2002 Path")).toString().toStdString(), folder);
    EXPECT_EQ(QtSettingsStore().value("Other"), "");
}
