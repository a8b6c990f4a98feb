#include "ButtonEx.h"

#include "AccessKey.h"
#include "BagValue.h"
#include "ButtonExAccessible.h"
#include "ButtonInputRules.h"
#include "InputCodes.h"
#include "PointerShape.h"
#include "ServerCounts.h"

#include <Button/ControlSite.h>
#include <Button/PropertyBag.h>

#include <QAccessible>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace velmora {

namespace {

constexpr int kCreatedWidthTwips = 1200;
constexpr int kCreatedHeightTwips = 360;

constexpr int kDefaultAppearance = ButtonEx::k3D;
constexpr OleColor kDefaultTransparentColor = 0x00FF0000u; // pure blue
const QString kDefaultCaption = QStringLiteral("ButtonEx1");

// Colours are kept in the bag as their unsigned 32-bit value, the other
// integers as signed ones.
QVariant colourValue(OleColor colour) {
    return QVariant::fromValue(uint(colour));
}

QVariant pictureValue(const QImage& picture) {
    return picture.isNull() ? QVariant() : QVariant(picture);
}

} // namespace

ButtonEx::ButtonEx(QWidget* parent) : QWidget(parent) {
    ServerCounts::instanceCreated();
    ButtonExAccessible::install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Moves without a button held start the hover poll.
    setMouseTracking(true);

    m_Timer1.setObjectName(QStringLiteral("Timer1"));
    m_Timer1.setInterval(ButtonInputRules::kMovingPollMs);
    connect(&m_Timer1, &QTimer::timeout, this, &ButtonEx::Timer1_Timer);

    // A hidden widget gets its resize event when first shown, so the host's
    // first sizing, not this one, paints the Normal face.
    const QSize created(kCreatedWidthTwips / InputCodes::kTwipsPerPixel,
                        kCreatedHeightTwips / InputCodes::kTwipsPerPixel);
    resize(created);
    m_renderer.resize(created);
}

ButtonEx::~ButtonEx() {
    ServerCounts::instanceDestroyed();
}

// --- properties -----------------------------------------------------------

template <typename T> void ButtonEx::repaintWith(T& field, const T& value, const char* name) {
    field = value;
    Redraw(m_State);
    notify(name);
}

void ButtonEx::setAppearance(int appearance) {
    repaintWith(m_face.appearance, appearance, "Appearance");
}

void ButtonEx::setBackColor(OleColor colour) {
    repaintWith(m_face.backColor, colour, "BackColor");
}

void ButtonEx::setCaption(const QString& caption) {
    m_face.caption = caption;
    if (const std::optional<QString> key = AccessKey::fromCaption(caption)) {
        m_accessKey = *key;
        if (m_site)
            m_site->accessKeysChanged(this, m_accessKey);
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    Redraw(m_State);
    notify("Caption");
}

void ButtonEx::setButtonEnabled(bool enabled) {
    m_face.enabled = enabled;
    setEnabled(enabled);
    Redraw(m_State);
    notify("Enabled");
}

void ButtonEx::setForeColor(OleColor colour) {
    repaintWith(m_face.foreColor, colour, "ForeColor");
}

void ButtonEx::setButtonFont(const QFont& font) {
    m_face.font = font;
    m_hasFont = true;
    setFont(font);
    Redraw(m_State);
    notify("Font");
}

void ButtonEx::setHighlightColor(OleColor colour) {
    repaintWith(m_face.highlightColor, colour, "HighlightColor");
}

void ButtonEx::setHighlightPicture(bool highlight) {
    m_face.highlightPicture = highlight;
    notify("HighlightPicture");
}

void ButtonEx::setMouseIcon(const QImage& icon) {
    m_MouseIcon = icon;
    applyPointer();
    notify("MouseIcon");
}

void ButtonEx::setMousePointer(int pointer) {
    m_MousePointer = pointer;
    applyPointer();
    notify("MousePointer");
}

void ButtonEx::setPicture(const QImage& picture) {
    repaintWith(m_face.picture, picture, "Picture");
}

void ButtonEx::setRightToLeft(bool rightToLeft) {
    m_face.rightToLeft = rightToLeft;
    setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    Redraw(m_State);
    notify("RightToLeft");
}

void ButtonEx::setToolTipText(const QString& text) {
    // Kept and persisted only: showing tooltips is the host's business.
    m_ToolTipText = text;
    notify("ToolTipText");
}

void ButtonEx::setTransparentColor(OleColor colour) {
    repaintWith(m_face.transparentColor, colour, "TransparentColor");
}

void ButtonEx::setWhatsThisHelpID(int id) {
    m_WhatsThisHelpID = id;
    notify("WhatsThisHelpID");
}

void ButtonEx::applyPointer() {
    if (short(m_MousePointer) == PointerShape::kCustom && !m_MouseIcon.isNull())
        setCursor(QCursor(QPixmap::fromImage(m_MouseIcon)));
    else if (const std::optional<Qt::CursorShape> shape = PointerShape::shapeFor(m_MousePointer))
        setCursor(*shape);
    else
        unsetCursor();
}

void ButtonEx::notify(const char* name) {
    if (m_site)
        m_site->propertyChanged(this, name);
}

// --- persistence ------------------------------------------------------------

void ButtonEx::setSite(ControlSite* site) {
    m_site = site;
    if (m_site && !m_accessKey.isEmpty())
        m_site->accessKeysChanged(this, m_accessKey);
}

void ButtonEx::initProperties() {
    setAppearance(kDefaultAppearance);
    setBackColor(kColorButtonFace);
    setCaption(kDefaultCaption);
    setButtonEnabled(true);
    setForeColor(kColorButtonText);
    // A host without an ambient font leaves the font unset.
    if (m_site)
        if (const std::optional<QFont> font = m_site->ambientFont())
            setButtonFont(*font);
    setHighlightColor(kColorButtonText);
    setHighlightPicture(false);
    setMouseIcon(QImage());
    setMousePointer(PointerShape::kDefault);
    setPicture(QImage());
    setRightToLeft(false);
    setToolTipText(QString());
    setTransparentColor(kDefaultTransparentColor);
    setWhatsThisHelpID(0);
}

void ButtonEx::readProperties(const PropertyBag& bag) {
    // A value that cannot be converted is skipped: the property keeps the
    // value it has, which on this path is its zero value.
    const auto readInt = [&bag](const char* key, const QVariant& fallback) {
        return BagValue::toInt32(bag.read(QLatin1String(key), fallback));
    };
    const auto readBool = [&bag](const char* key, bool fallback) {
        return BagValue::toBoolean(bag.read(QLatin1String(key), fallback));
    };
    const auto readText = [&bag](const char* key, const QString& fallback) {
        return BagValue::toText(bag.read(QLatin1String(key), fallback));
    };
    const auto readPicture = [&bag](const char* key) {
        return BagValue::toPicture(bag.read(QLatin1String(key)));
    };
    const auto readColour = [&](const char* key, OleColor fallback,
                                void (ButtonEx::*setter)(OleColor)) {
        if (const auto value = readInt(key, colourValue(fallback)))
            (this->*setter)(*value);
    };

    if (const auto value = readInt("Appearance", kDefaultAppearance))
        setAppearance(int(*value));
    readColour("BackColor", kColorButtonFace, &ButtonEx::setBackColor);
    if (const auto value = readText("Caption", kDefaultCaption))
        setCaption(*value);
    if (const auto value = readBool("Enabled", true))
        setButtonEnabled(*value);
    readColour("ForeColor", kColorButtonText, &ButtonEx::setForeColor);
    QVariant ambientFont;
    if (m_site)
        if (const std::optional<QFont> font = m_site->ambientFont())
            ambientFont = *font;
    if (const auto value = BagValue::toFont(bag.read(QStringLiteral("Font"), ambientFont)))
        setButtonFont(*value);
    readColour("HighlightColor", kColorButtonText, &ButtonEx::setHighlightColor);
    if (const auto value = readBool("HighlightPicture", false))
        setHighlightPicture(*value);
    if (const auto value = readPicture("MouseIcon"))
        setMouseIcon(*value);
    if (const auto value = readInt("MousePointer", PointerShape::kDefault))
        setMousePointer(int(*value));
    if (const auto value = readPicture("Picture"))
        setPicture(*value);
    if (const auto value = readBool("RightToLeft", false))
        setRightToLeft(*value);
    if (const auto value = readText("ToolTipText", QString()))
        setToolTipText(*value);
    readColour("TransparentColor", kDefaultTransparentColor, &ButtonEx::setTransparentColor);
    if (const auto value = readInt("WhatsThisHelpID", 0))
        setWhatsThisHelpID(int(*value));
}

void ButtonEx::writeProperties(PropertyBag& bag) const {
    QVariant ambientFont;
    if (m_site)
        if (const std::optional<QFont> font = m_site->ambientFont())
            ambientFont = *font;
    const QVariant font = m_hasFont ? QVariant(m_face.font) : QVariant();

    bag.write(QStringLiteral("Appearance"), m_face.appearance, kDefaultAppearance);
    bag.write(QStringLiteral("Enabled"), m_face.enabled, true);
    bag.write(QStringLiteral("BackColor"), colourValue(m_face.backColor),
              colourValue(kColorButtonFace));
    bag.write(QStringLiteral("Caption"), m_face.caption, kDefaultCaption);
    bag.write(QStringLiteral("ForeColor"), colourValue(m_face.foreColor),
              colourValue(kColorButtonText));
    // An unset font is not stored: the instance takes the ambient font again
    // when it is loaded.
    bag.write(QStringLiteral("Font"), font, m_hasFont ? ambientFont : QVariant());
    bag.write(QStringLiteral("HighlightColor"), colourValue(m_face.highlightColor),
              colourValue(kColorButtonText));
    bag.write(QStringLiteral("HighlightPicture"), m_face.highlightPicture, false);
    bag.write(QStringLiteral("Picture"), pictureValue(m_face.picture), QVariant());
    bag.write(QStringLiteral("RightToLeft"), m_face.rightToLeft, false);
    bag.write(QStringLiteral("TransparentColor"), colourValue(m_face.transparentColor),
              colourValue(kDefaultTransparentColor));
    bag.write(QStringLiteral("MouseIcon"), pictureValue(m_MouseIcon), QVariant());
    bag.write(QStringLiteral("MousePointer"), m_MousePointer, PointerShape::kDefault);
    bag.write(QStringLiteral("ToolTipText"), m_ToolTipText, QString());
    bag.write(QStringLiteral("WhatsThisHelpID"), m_WhatsThisHelpID, short(0));
}

void ButtonEx::ambientChanged(const QString& name) {
    if (name != QLatin1String("DisplayAsDefault"))
        return;
    m_DrawDefault = m_site ? m_site->ambientDisplayAsDefault() : true;
    Redraw(m_State);
}

// --- painting ---------------------------------------------------------------

void ButtonEx::Redraw(int state) {
    FaceContext context;
    context.drawDefault = m_DrawDefault;
    context.userMode = m_site && m_site->ambientUserMode();
    m_renderer.setPalette(palette());
    if (!m_renderer.redraw(state, m_face, context))
        return;
    m_State = state;
    update();
    emit redrawn(state);
}

void ButtonEx::paintEvent(QPaintEvent*) {
    // The face is kept in logical pixels; on a high-density screen the
    // painter scales it up whole, so no pixel logic depends on the ratio.
    QPainter painter(this);
    painter.drawImage(rect(), m_renderer.face());
}

void ButtonEx::resizeEvent(QResizeEvent*) {
    m_renderer.resize(size());
    Redraw(Normal);
    emit Resize();
}

// --- input --------------------------------------------------------------------

bool ButtonEx::running() const {
    // A host that cannot tell is taken as running, so hover still works.
    return !m_site || m_site->ambientUserMode();
}

void ButtonEx::apply(const InputStep& step) {
    if (step.timer == TimerAction::Start)
        m_Timer1.start(ButtonInputRules::kMovingPollMs);
    else if (step.timer == TimerAction::Stop)
        m_Timer1.stop();
    if (step.redraw)
        Redraw(*step.redraw);
}

void ButtonEx::raiseMouse(void (ButtonEx::*event)(short&, short&, float&, float&), short button,
                          const QMouseEvent* mouse) {
    short shift = InputCodes::shift(mouse->modifiers());
    float x = InputCodes::twips(mouse->position().x());
    float y = InputCodes::twips(mouse->position().y());
    (this->*event)(button, shift, x, y);
}

void ButtonEx::mousePressEvent(QMouseEvent* event) {
    const short button = InputCodes::buttons(event->button());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    apply(ButtonInputRules::mouseDown(button));
    raiseMouse(&ButtonEx::MouseDown, button, event);
}

void ButtonEx::mouseMoveEvent(QMouseEvent* event) {
    const short buttons = InputCodes::buttons(event->buttons());
    m_sinceMove.start();
    apply(ButtonInputRules::mouseMove(buttons, running(), m_Timer1.isActive(), m_State));
    if (m_Timer1.isActive() && m_Timer1.interval() != ButtonInputRules::kMovingPollMs)
        m_Timer1.start(ButtonInputRules::kMovingPollMs);
    raiseMouse(&ButtonEx::MouseMove, buttons, event);
}

void ButtonEx::mouseReleaseEvent(QMouseEvent* event) {
    const short button = InputCodes::buttons(event->button());
    // The face's click: a left press and release, both over the control.
    const bool click = event->button() == Qt::LeftButton && m_leftPressed &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    apply(ButtonInputRules::mouseUp(button));
    const QPointer<ButtonEx> alive(this);
    raiseMouse(&ButtonEx::MouseUp, button, event);
    // A MouseUp handler may have destroyed the control with its window.
    if (click && alive)
        emit Click();
}

void ButtonEx::keyPressEvent(QKeyEvent* event) {
    short code = InputCodes::keyCode(event->key());
    short shift = InputCodes::shift(event->modifiers());
    const QPointer<ButtonEx> alive(this);
    emit KeyDown(code, shift);
    if (!alive)
        return;
    if (std::optional<short> ascii = InputCodes::keyAscii(event->text()))
        emit KeyPress(*ascii);
}

void ButtonEx::keyReleaseEvent(QKeyEvent* event) {
    // Held keys repeat their key down only.
    if (event->isAutoRepeat())
        return;
    short code = InputCodes::keyCode(event->key());
    short shift = InputCodes::shift(event->modifiers());
    emit KeyUp(code, shift);
}

void ButtonEx::AccessKeyPress() {
    emit Click();
}

void ButtonEx::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_DrawDefault = true;
    Redraw(m_State);
}

void ButtonEx::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_DrawDefault = false;
    Redraw(m_State);
}

void ButtonEx::Timer1_Timer() {
    const bool outside =
        ButtonInputRules::pointerOutside(mapFromGlobal(QCursor::pos()), QSizeF(size()));
    apply(ButtonInputRules::timerTick(outside, m_State));
    if (!m_Timer1.isActive())
        return;
    const int interval = ButtonInputRules::pollInterval(m_sinceMove.elapsed());
    if (interval != m_Timer1.interval())
        m_Timer1.start(interval);
}

void ButtonEx::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // The platform reports the pointer leaving: look at once instead of
    // waiting for a poll that may have slowed down.
    if (m_Timer1.isActive())
        Timer1_Timer();
}

} // namespace velmora
