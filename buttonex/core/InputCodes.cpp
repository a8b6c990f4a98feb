#include "InputCodes.h"

#include <QHash>
#include <initializer_list>

namespace velmora {

namespace {

// Sets bit 1, 2, 4 of the result for the first, second, third flag present.
template <typename Flags, typename Flag>
short bitsOf(Flags flags, std::initializer_list<Flag> order) {
    short bits = 0;
    short bit = 1;
    for (const Flag flag : order) {
        if (flags & flag)
            bits |= bit;
        bit = short(bit << 1);
    }
    return bits;
}

} // namespace

short InputCodes::buttons(Qt::MouseButtons buttons) {
    return bitsOf(buttons, {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
}

short InputCodes::shift(Qt::KeyboardModifiers modifiers) {
    return bitsOf(modifiers, {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier});
}

short InputCodes::keyCode(int qtKey) {
    // Letters, digits and space share their numbers with Qt's key codes.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        qtKey == Qt::Key_Space)
        return short(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return short(0x70 + (qtKey - Qt::Key_F1));
    static const QHash<int, short> named = {
        {Qt::Key_Backspace, 0x08},   {Qt::Key_Tab, 0x09},        {Qt::Key_Backtab, 0x09},
        {Qt::Key_Return, 0x0D},      {Qt::Key_Enter, 0x0D},      {Qt::Key_Shift, 0x10},
        {Qt::Key_Control, 0x11},     {Qt::Key_Alt, 0x12},        {Qt::Key_Pause, 0x13},
        {Qt::Key_CapsLock, 0x14},    {Qt::Key_Escape, 0x1B},     {Qt::Key_PageUp, 0x21},
        {Qt::Key_PageDown, 0x22},    {Qt::Key_End, 0x23},        {Qt::Key_Home, 0x24},
        {Qt::Key_Left, 0x25},        {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},
        {Qt::Key_Down, 0x28},        {Qt::Key_Print, 0x2C},      {Qt::Key_Insert, 0x2D},
        {Qt::Key_Delete, 0x2E},      {Qt::Key_Meta, 0x5B},       {Qt::Key_Menu, 0x5D},
        {Qt::Key_NumLock, 0x90},     {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Semicolon, 0xBA},
        {Qt::Key_Equal, 0xBB},       {Qt::Key_Comma, 0xBC},      {Qt::Key_Minus, 0xBD},
        {Qt::Key_Period, 0xBE},      {Qt::Key_Slash, 0xBF},      {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},  {Qt::Key_BracketRight, 0xDD},
        {Qt::Key_Apostrophe, 0xDE},
    };
    return named.value(qtKey, 0);
}

std::optional<short> InputCodes::keyAscii(const QString& text) {
    // Control keys that type nothing (arrows, shift) raise no key press;
    // Enter types a carriage return, Escape its own code, as on a console.
    if (text.isEmpty())
        return std::nullopt;
    const char16_t code = text.at(0).unicode();
    if (code == 0x7F)
        return std::nullopt;
    return short(code);
}

} // namespace velmora
