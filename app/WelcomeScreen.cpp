#include "WelcomeScreen.h"

#include "platform/ControlPalette.h"
#include "platform/Form.h"
#include "platform/ShapeWidget.h"
#include "settings/PackageSettings.h"

#include <QWidget>

namespace velmora {

namespace {

constexpr int kWelcomeLabelCount = 9;

QString welcomeLabel(int number) {
    return QStringLiteral("Label%1").arg(number);
}

} // namespace

void WelcomeScreen::applyStoredColours() {
    if (const auto back = PackageSettings::welcomeBackColor())
        applyBackColor(*back);
    if (const auto font = PackageSettings::welcomeFontColor())
        applyFontColor(*font);
}

void WelcomeScreen::applyColours(OleColor backColor, OleColor fontColor) {
    applyBackColor(backColor);
    applyFontColor(fontColor);
}

void WelcomeScreen::applyBackColor(OleColor colour) {
    if (auto* shape = m_form.control<ShapeWidget>(QStringLiteral("Shape2"))) {
        shape->setFillColor(toQColor(colour));
        shape->setBorderColor(toQColor(colour));
    }
}

void WelcomeScreen::applyFontColor(OleColor colour) {
    for (int number = 1; number <= kWelcomeLabelCount; ++number)
        ControlPalette::setForeColor(m_form.control(welcomeLabel(number)), colour);
}

void WelcomeScreen::HideWelcomeText() {
    setTextVisible(false);
}

void WelcomeScreen::ShowWelcomeText() {
    setTextVisible(true);
}

void WelcomeScreen::setTextVisible(bool visible) {
    for (int number = 1; number <= kWelcomeLabelCount; ++number)
        if (QWidget* label = m_form.control(welcomeLabel(number)))
            label->setVisible(visible);
}

} // namespace velmora
