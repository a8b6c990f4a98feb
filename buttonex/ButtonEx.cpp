#include "ButtonEx.h"

#include "ButtonExAccessible.h"
#include "core/AccessKey.h"
#include "core/ButtonInputRules.h"
#include "core/InputCodes.h"
#include "core/PointerShape.h"
#include "core/PropertyTable.h"
#include "core/ServerCounts.h"

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

constexpr OleColor kDefaultTransparentColor = 0x00FF0000u; // pure blue
const QString kDefaultCaption = QStringLiteral("ButtonEx1");

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

// One row per persisted property, in the order new instances and loads set
// them; the last column is the property's place in the save order.
const PropertyTable<ButtonEx>& ButtonEx::propertyTable() {
    using K = BagKind;
    using B = ButtonEx;
    static const PropertyTable<ButtonEx> table({
        persisted<B, &B::Appearance, &B::setAppearance>("Appearance", K::Integer, k3D, 0),
        persisted<B, &B::BackColor, &B::setBackColor>("BackColor", K::Colour,
                                                      uint(kColorButtonFace), 2),
        persisted<B, &B::Caption, &B::setCaption>("Caption", K::Text, kDefaultCaption, 3),
        persisted<B, &B::Enabled, &B::setButtonEnabled>("Enabled", K::Boolean, true, 1),
        persisted<B, &B::ForeColor, &B::setForeColor>("ForeColor", K::Colour,
                                                      uint(kColorButtonText), 4),
        persisted<B, &B::storedFont, &B::setButtonFont>("Font", K::Font, {}, 5),
        persisted<B, &B::HighlightColor, &B::setHighlightColor>("HighlightColor", K::Colour,
                                                                uint(kColorButtonText), 6),
        persisted<B, &B::HighlightPicture, &B::setHighlightPicture>("HighlightPicture", K::Boolean,
                                                                    false, 7),
        persisted<B, &B::MouseIcon, &B::setMouseIcon>("MouseIcon", K::Picture, {}, 11),
        persisted<B, &B::MousePointer, &B::setMousePointer>("MousePointer", K::Integer,
                                                            PointerShape::kDefault, 12),
        persisted<B, &B::Picture, &B::setPicture>("Picture", K::Picture, {}, 8),
        persisted<B, &B::RightToLeft, &B::setRightToLeft>("RightToLeft", K::Boolean, false, 9),
        persisted<B, &B::ToolTipText, &B::setToolTipText>("ToolTipText", K::Text, QString(), 13),
        persisted<B, &B::TransparentColor, &B::setTransparentColor>(
            "TransparentColor", K::Colour, uint(kDefaultTransparentColor), 10),
        // Stored with a 16-bit zero as its default.
        persisted<B, &B::WhatsThisHelpID, &B::setWhatsThisHelpID>(
            "WhatsThisHelpID", K::Integer, QVariant::fromValue(short(0)), 14),
    });
    return table;
}

QVariant ButtonEx::storedFont() const {
    // A font never set is not stored: the instance takes the ambient font
    // again when it is loaded.
    return m_hasFont ? QVariant(m_face.font) : QVariant();
}

QVariant ButtonEx::ambientFont() const {
    if (m_site)
        if (const std::optional<QFont> font = m_site->ambientFont())
            return *font;
    return {};
}

void ButtonEx::initProperties() {
    // A host without an ambient font leaves the font unset.
    propertyTable().initialize(*this, ambientFont());
}

void ButtonEx::readProperties(const PropertyBag& bag) {
    // A value that cannot be converted is skipped: the property keeps the
    // value it has, which on this path is its zero value.
    propertyTable().load(*this, bag, ambientFont());
}

void ButtonEx::writeProperties(PropertyBag& bag) const {
    propertyTable().save(*this, bag, ambientFont());
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
