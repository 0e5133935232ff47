#include "environment/qt/qtsettingsstore.h"

#include <QSettings>

namespace corvane {

namespace {

constexpr auto kOrganisation = "Corvane";
constexpr auto kApplication = "Corvane";
constexpr auto kGroup = "General";

QString KeyInGroup(std::string_view key) {
    return QString::fromLatin1(kGroup) + QLatin1Char('/') +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

std::string QtSettingsStore::value(std::string_view key) const {
    const QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    return settings.value(KeyInGroup(key)).toString().toStdString();
}

void QtSettingsStore::setValue(std::string_view key, std::string_view value) {
    QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    settings.setValue(KeyInGroup(key), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    settings.sync();
}

} // namespace corvane
