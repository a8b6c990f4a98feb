#pragma once

#include <Button/OleColor.h>

namespace velmora {

class Form;

/// The welcome screen drawn on the main window: the background shape Shape2
/// and the nine welcome labels Label1 ... Label9, whose colours follow the
/// user's settings and which hide and show together.
class WelcomeScreen {
public:
    /// Works on the controls of `form`, which must outlive this object.
    explicit WelcomeScreen(const Form& form) : m_form(form) {}

    /// Applies each stored colour that is valid; an invalid or missing one
    /// leaves its controls at their present colour.
    void applyStoredColours();
    /// Shape2's fill and border become `backColor`, the labels' text `fontColor`.
    void applyColours(OleColor backColor, OleColor fontColor);

    void HideWelcomeText();
    void ShowWelcomeText();

private:
    void applyBackColor(OleColor colour);
    void applyFontColor(OleColor colour);
    void setTextVisible(bool visible);

    const Form& m_form;
};

} // namespace velmora
