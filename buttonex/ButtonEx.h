#pragma once

#include "core/ButtonFaceRenderer.h"
#include "core/FaceProperties.h"

#include <Button/OleColor.h>
#include <Button/PersistentControl.h>

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace velmora {

struct InputStep;
template <typename Control> class PropertyTable;

/// An owner-drawn push button with hover feedback, an optional picture with
/// a transparent key colour and an optional one-colour highlight of that
/// picture.  Hosts create it by class name, drive it through
/// PersistentControl, set its properties by name and connect its events
/// (the signals below) by name.  Every property setter stores the value,
/// applies its side effects and then tells the site, under the property's
/// own name, that the property changed.
class ButtonEx : public QWidget, public PersistentControl {
    Q_OBJECT
    Q_INTERFACES(velmora::PersistentControl)

    Q_CLASSINFO("Appearance", "Returns/sets whether or not an object is painted with 3-D effects.")
    Q_CLASSINFO("BackColor",
                "Returns/sets the background color used to display text and graphics in an object.")
    Q_CLASSINFO("Caption", "Returns/sets the text displayed in an object.")
    Q_CLASSINFO("Enabled", "Returns/sets a value that determines whether an object can respond to "
                           "user-generated events.")
    Q_CLASSINFO("ForeColor",
                "Returns/sets the foreground color used to display text and graphics in an object.")
    Q_CLASSINFO("Font", "Returns/sets a Font object used to display text in the object.")
    Q_CLASSINFO("HighlightColor", "Returns/sets the highlight color used to display text and "
                                  "graphics when the  mouse is over the object")
    Q_CLASSINFO("HighlightPicture",
                "Returns/sets whether or not to highlight the object's picture with the "
                "HighlightColor.")
    Q_CLASSINFO("MouseIcon", "Returns/sets a custom mouse icon.")
    Q_CLASSINFO("MousePointer",
                "Returns/sets the type of mouse pointer displayed when over part of an object.")
    Q_CLASSINFO("Picture", "Returns/sets a graphic to be displayed in a control.")
    Q_CLASSINFO("RightToLeft", "Determines text display direction and control visual appearance "
                               "on a bidirectional system.")
    Q_CLASSINFO("ToolTipText",
                "Returns/sets the text displayed when the mouse cursor is over the control.")
    Q_CLASSINFO("TransparentColor", "Returns/sets the color of the Picture property to make "
                                    "transparent.")
    Q_CLASSINFO("WhatsThisHelpID", "Returns/sets an associated help context ID for the control.")
    Q_CLASSINFO("Click", "Occurs when the user presses and then releases a mouse button over an "
                         "object.")
    Q_CLASSINFO("KeyDown", "Occurs when the user presses a key while an object has the focus.")
    Q_CLASSINFO("KeyPress", "Occurs when the user presses and releases an ANSI key.")
    Q_CLASSINFO("KeyUp", "Occurs when the user releases a key while an object has the focus.")
    Q_CLASSINFO("MouseDown",
                "Occurs when the user presses the mouse button while an object has the focus.")
    Q_CLASSINFO("MouseMove", "Occurs when the user moves the mouse.")
    Q_CLASSINFO("MouseUp",
                "Occurs when the user releases the mouse button while an object has the focus.")
    Q_CLASSINFO("Resize", "Occurs when a form is first displayed or the size of an object changes.")

    Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setButtonEnabled)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ Font WRITE setButtonFont)
    Q_PROPERTY(uint HighlightColor READ HighlightColor WRITE setHighlightColor)
    Q_PROPERTY(bool HighlightPicture READ HighlightPicture WRITE setHighlightPicture)
    Q_PROPERTY(QImage MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QImage Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool RightToLeft READ RightToLeft WRITE setRightToLeft)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(uint TransparentColor READ TransparentColor WRITE setTransparentColor)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID)

public:
    static constexpr int kFlat = 0;
    static constexpr int k3D = 1;

    /// A created instance: every property at its zero value, 1200 x 360 twips.
    explicit ButtonEx(QWidget* parent = nullptr);
    ~ButtonEx() override;

    int Appearance() const { return m_face.appearance; }
    void setAppearance(int appearance);
    OleColor BackColor() const { return m_face.backColor; }
    void setBackColor(OleColor colour);
    QString Caption() const { return m_face.caption; }
    void setCaption(const QString& caption);
    bool Enabled() const { return m_face.enabled; }
    void setButtonEnabled(bool enabled);
    OleColor ForeColor() const { return m_face.foreColor; }
    void setForeColor(OleColor colour);
    /// The font the caption is measured and drawn in; QFont() while unset.
    QFont Font() const { return m_face.font; }
    void setButtonFont(const QFont& font);
    OleColor HighlightColor() const { return m_face.highlightColor; }
    void setHighlightColor(OleColor colour);
    bool HighlightPicture() const { return m_face.highlightPicture; }
    /// Shows at the next repaint; setting it alone does not repaint.
    void setHighlightPicture(bool highlight);
    QImage MouseIcon() const { return m_MouseIcon; }
    void setMouseIcon(const QImage& icon);
    int MousePointer() const { return m_MousePointer; }
    void setMousePointer(int pointer);
    QImage Picture() const { return m_face.picture; }
    void setPicture(const QImage& picture);
    bool RightToLeft() const { return m_face.rightToLeft; }
    void setRightToLeft(bool rightToLeft);
    QString ToolTipText() const { return m_ToolTipText; }
    void setToolTipText(const QString& text);
    OleColor TransparentColor() const { return m_face.transparentColor; }
    void setTransparentColor(OleColor colour);
    int WhatsThisHelpID() const { return m_WhatsThisHelpID; }
    void setWhatsThisHelpID(int id);

    /// The key Alt presses the button with (one character), or empty.
    QString accessKey() const { return m_accessKey; }
    /// The visual state last painted: Pressed 0, Normal 1, Hover 2.
    int state() const { return m_State; }
    /// Whether the face carries the default/focus frame.
    bool drawDefault() const { return m_DrawDefault; }
    bool hoverTimerActive() const { return m_Timer1.isActive(); }
    /// The hover poll's current period in milliseconds.
    int hoverPollInterval() const { return m_Timer1.interval(); }
    /// The hover poll itself, so that its ticks can be watched.
    const QTimer& hoverTimer() const { return m_Timer1; }
    /// The painted face, in pixels.
    const QImage& face() const { return m_renderer.face(); }

    void setSite(ControlSite* site) override;
    void initProperties() override;
    void readProperties(const PropertyBag& bag) override;
    void writeProperties(PropertyBag& bag) const override;
    void ambientChanged(const QString& name) override;

    /// The host's access-key, default-button or cancel-button key: raises
    /// Click without a pressed look.
    Q_INVOKABLE void AccessKeyPress();

signals:
    void Click();
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    void Resize();
    /// A repaint of the face in `state` completed.
    void redrawn(int state);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    /// The persisted properties: keys, kinds, defaults and accessors.
    static const PropertyTable<ButtonEx>& propertyTable();
    /// The font in its stored form: nothing while never set.
    QVariant storedFont() const;
    /// The host's font, or nothing when it cannot supply one.
    QVariant ambientFont() const;
    /// Paints the whole face in `state`; m_State records it once painted.
    void Redraw(int state);
    void Timer1_Timer();
    void apply(const InputStep& step);
    void applyPointer();
    void notify(const char* name);
    /// Stores a property that only needs a repaint, then notifies under `name`.
    template <typename T> void repaintWith(T& field, const T& value, const char* name);
    bool running() const;
    /// Raises a mouse event with the position in twips.
    void raiseMouse(void (ButtonEx::*event)(short&, short&, float&, float&), short button,
                    const QMouseEvent* mouse);

    FaceProperties m_face;
    bool m_hasFont = false;
    QImage m_MouseIcon;
    int m_MousePointer = 0;
    QString m_ToolTipText;
    int m_WhatsThisHelpID = 0;
    QString m_accessKey;

    int m_State = Pressed;
    bool m_DrawDefault = false;
    bool m_leftPressed = false;
    ControlSite* m_site = nullptr;
    ButtonFaceRenderer m_renderer;
    QTimer m_Timer1;
    QElapsedTimer m_sinceMove;
};

} // namespace velmora
