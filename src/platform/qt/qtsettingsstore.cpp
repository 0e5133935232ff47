#include "platform/qt/qtsettingsstore.h"

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
    const QVariant stored = settings.value(KeyInGroup(key));
    if (stored.typeId() == QMetaType::QByteArray) return stored.toByteArray().toStdString();
    return stored.toString().toStdString();
}

void QtSettingsStore::setValue(std::string_view key, std::string_view value) {
    QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    const QByteArray bytes(value.data(), static_cast<qsizetype>(value.size()));
    // Text as text; bytes that are not UTF-8 (a folder name on Linux may hold any) as bytes, so that
    // they come back as they were.
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes)
        settings.setValue(KeyInGroup(key), text);
    else
        settings.setValue(KeyInGroup(key), bytes);
    settings.sync();
}

} // namespace corvane
