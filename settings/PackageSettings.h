#pragma once

#include <Button/OleColor.h>

#include <QString>
#include <optional>

namespace velmora {

/// The section the main window opens on at start.
enum class StartupSection { Welcome, Docs, Videos };

/// Design colours of the welcome screen, used while no valid choice is stored.
inline constexpr OleColor kDesignWelcomeBackColor = 0x00C37E6Au;
inline constexpr OleColor kDesignWelcomeBorderColor = 0x00000000u;
inline constexpr OleColor kDesignWelcomeFontColor = 0x00FFFFFFu;

/// A stored colour value: decimal text of a 32-bit signed integer, blanks
/// around it allowed.  Empty, non-numeric or out-of-range text gives nothing.
std::optional<OleColor> parseColourValue(const QString& text);
/// The stored form of `colour`: its 32-bit signed value in decimal, so that
/// system colours (high bit set) come out negative.
QString colourValueText(OleColor colour);

/// "Welcome", "Docs" or "Videos", exactly as written; any other spelling
/// gives nothing.
std::optional<StartupSection> parseStartup(const QString& text);
QString startupText(StartupSection section);

/// The program's three per-user choices in the settings store (application
/// "Velmora", section "Package").  Reads give nothing where the stored value
/// is missing or not valid; writes report whether the store took the value,
/// and a failed write never disturbs the other keys.
class PackageSettings {
public:
    static std::optional<StartupSection> startup();
    static std::optional<OleColor> welcomeBackColor();
    static std::optional<OleColor> welcomeFontColor();

    static bool saveStartup(StartupSection section);
    static bool saveWelcomeBackColor(OleColor colour);
    static bool saveWelcomeFontColor(OleColor colour);
};

} // namespace velmora
