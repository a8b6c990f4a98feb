#include "PackageSettings.h"

#include "platform/SettingsStore.h"

#include <cstdint>
#include <limits>

namespace velmora {

namespace {

const QString kApplication = QStringLiteral("Velmora");
const QString kSection = QStringLiteral("Package");
const QString kStartupKey = QStringLiteral("Startup");
const QString kBackColorKey = QStringLiteral("ColorWelcome");
const QString kFontColorKey = QStringLiteral("FontWelcome");

QString readKey(const QString& key) {
    return SettingsStore::read(kApplication, kSection, key);
}

bool writeKey(const QString& key, const QString& value) {
    return SettingsStore::write(kApplication, kSection, key, value);
}

} // namespace

std::optional<OleColor> parseColourValue(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return OleColor(std::uint32_t(std::int32_t(value)));
}

QString colourValueText(OleColor colour) {
    return QString::number(std::int32_t(colour));
}

std::optional<StartupSection> parseStartup(const QString& text) {
    if (text == QLatin1String("Welcome"))
        return StartupSection::Welcome;
    if (text == QLatin1String("Docs"))
        return StartupSection::Docs;
    if (text == QLatin1String("Videos"))
        return StartupSection::Videos;
    return std::nullopt;
}

QString startupText(StartupSection section) {
    switch (section) {
    case StartupSection::Docs:
        return QStringLiteral("Docs");
    case StartupSection::Videos:
        return QStringLiteral("Videos");
    case StartupSection::Welcome:
        break;
    }
    return QStringLiteral("Welcome");
}

std::optional<StartupSection> PackageSettings::startup() {
    return parseStartup(readKey(kStartupKey));
}

std::optional<OleColor> PackageSettings::welcomeBackColor() {
    return parseColourValue(readKey(kBackColorKey));
}

std::optional<OleColor> PackageSettings::welcomeFontColor() {
    return parseColourValue(readKey(kFontColorKey));
}

bool PackageSettings::saveStartup(StartupSection section) {
    return writeKey(kStartupKey, startupText(section));
}

bool PackageSettings::saveWelcomeBackColor(OleColor colour) {
    return writeKey(kBackColorKey, colourValueText(colour));
}

bool PackageSettings::saveWelcomeFontColor(OleColor colour) {
    return writeKey(kFontColorKey, colourValueText(colour));
}

} // namespace velmora
