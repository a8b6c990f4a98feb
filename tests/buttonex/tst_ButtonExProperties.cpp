#include "AccessKey.h"
#include "BagValue.h"
#include "ButtonEx.h"

#include "platform/ControlHost.h"
#include "platform/HostSite.h"

#include <Button/PropertyBag.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace velmora;

namespace {

// A window holding one button with the host's site, as a loaded form has.
struct Hosted {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    ButtonEx* button = nullptr;
    HostSite* site = nullptr;

    Hosted() {
        window->setFont(QFont(QStringLiteral("Sans Serif"), 13));
        button = new ButtonEx(window.get());
        site = new HostSite(button);
        button->setSite(site);
    }
};

QList<QByteArray> notices(const QSignalSpy& spy) {
    QList<QByteArray> names;
    for (const QList<QVariant>& call : spy)
        names << call.at(0).toByteArray();
    return names;
}

QImage twoColourPicture() {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(3, 3, qRgb(0, 0, 0));
    return picture;
}

const QList<QByteArray> kInitOrder = {
    "Appearance", "BackColor",      "Caption",          "Enabled",          "ForeColor",
    "Font",       "HighlightColor", "HighlightPicture", "MouseIcon",        "MousePointer",
    "Picture",    "RightToLeft",    "ToolTipText",      "TransparentColor", "WhatsThisHelpID"};

} // namespace

class tst_ButtonExProperties : public QObject {
    Q_OBJECT

private slots:
    void createdInstanceHoldsZeroValues();
    void newInstanceGetsDefaultsInOrder();
    void newInstanceWithoutAmbientFontLeavesFontUnset();
    void setterRepaintsThenNotifies_data();
    void setterRepaintsThenNotifies();
    void highlightPictureShowsAtNextRepaint();
    void accessKeyFromCaption_data();
    void accessKeyFromCaption();
    void accessKeyKeptWhenCaptionLosesItsMarker();
    void defaultsAreNotStored();
    void storedExtentIsInHundredthsOfMillimetres();
    void savedValuesHaveTheirKindsAndLoadBack();
    void lowerCaseKeysLoad();
    void missingKeysLoadDefaults();
    void fontFollowsAmbientFontThroughLoadAndSave();
    void unconvertibleStoredValueIsSkipped_data();
    void unconvertibleStoredValueIsSkipped();
    void bagValueConversions_data();
    void bagValueConversions();
    void mousePointerSetsCursor();
    void everyPropertyHasItsDescription();
    void accessibleAsPushButton();
};

void tst_ButtonExProperties::createdInstanceHoldsZeroValues() {
    ButtonEx button;
    QCOMPARE(button.size(), QSize(80, 24));
    QCOMPARE(button.state(), int(Pressed));
    QCOMPARE(button.drawDefault(), false);
    QCOMPARE(button.Appearance(), ButtonEx::kFlat);
    QCOMPARE(button.BackColor(), 0u);
    QCOMPARE(button.ForeColor(), 0u);
    QCOMPARE(button.TransparentColor(), 0u);
    QCOMPARE(button.Caption(), QString());
    QCOMPARE(button.Enabled(), false);
    QVERIFY(button.Picture().isNull());
    QVERIFY(!button.hoverTimerActive());
}

void tst_ButtonExProperties::newInstanceGetsDefaultsInOrder() {
    Hosted hosted;
    QSignalSpy spy(hosted.site, &HostSite::propertyChangeNotified);
    hosted.button->initProperties();

    QCOMPARE(notices(spy), kInitOrder);
    ButtonEx& b = *hosted.button;
    QCOMPARE(b.Appearance(), ButtonEx::k3D);
    QCOMPARE(b.BackColor(), 0x8000000Fu);
    QCOMPARE(b.Caption(), QStringLiteral("ButtonEx1"));
    QCOMPARE(b.Enabled(), true);
    QCOMPARE(b.ForeColor(), 0x80000012u);
    QCOMPARE(b.Font(), hosted.window->font());
    QCOMPARE(b.HighlightColor(), 0x80000012u);
    QCOMPARE(b.TransparentColor(), 0x00FF0000u);
    QCOMPARE(b.ToolTipText(), QString());
    // Nothing has sized the instance yet: the setters painted state 0.
    QCOMPARE(b.state(), int(Pressed));
}

void tst_ButtonExProperties::newInstanceWithoutAmbientFontLeavesFontUnset() {
    // A top-level control has no window to take an ambient font from.
    ButtonEx button;
    HostSite site(&button);
    button.setSite(&site);
    QSignalSpy spy(&site, &HostSite::propertyChangeNotified);
    button.initProperties();
    QVERIFY(!notices(spy).contains("Font"));
    QCOMPARE(notices(spy).size(), kInitOrder.size() - 1);
}

void tst_ButtonExProperties::setterRepaintsThenNotifies_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("repaints");
    QTest::newRow("Appearance") << QByteArray("Appearance") << QVariant(0) << true;
    QTest::newRow("BackColor") << QByteArray("BackColor") << QVariant(0x00C0C0C0u) << true;
    QTest::newRow("Caption") << QByteArray("Caption") << QVariant(QStringLiteral("&Load")) << true;
    QTest::newRow("Enabled") << QByteArray("Enabled") << QVariant(false) << true;
    QTest::newRow("ForeColor") << QByteArray("ForeColor") << QVariant(0x000000FFu) << true;
    QTest::newRow("Font") << QByteArray("Font") << QVariant(QFont(QStringLiteral("Serif"), 20))
                          << true;
    QTest::newRow("HighlightColor")
        << QByteArray("HighlightColor") << QVariant(0x0000FF00u) << true;
    QTest::newRow("HighlightPicture") << QByteArray("HighlightPicture") << QVariant(true) << false;
    QTest::newRow("MouseIcon") << QByteArray("MouseIcon") << QVariant(twoColourPicture()) << false;
    QTest::newRow("MousePointer") << QByteArray("MousePointer") << QVariant(11) << false;
    QTest::newRow("Picture") << QByteArray("Picture") << QVariant(twoColourPicture()) << true;
    QTest::newRow("RightToLeft") << QByteArray("RightToLeft") << QVariant(true) << true;
    QTest::newRow("ToolTipText") << QByteArray("ToolTipText") << QVariant(QStringLiteral("tip"))
                                 << false;
    QTest::newRow("TransparentColor")
        << QByteArray("TransparentColor") << QVariant(0x00FFFFFFu) << true;
    QTest::newRow("WhatsThisHelpID") << QByteArray("WhatsThisHelpID") << QVariant(42) << false;
}

void tst_ButtonExProperties::setterRepaintsThenNotifies() {
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    QFETCH(bool, repaints);
    Hosted hosted;
    hosted.button->initProperties();

    // One log of both signals tells the order: the notice comes last, and a
    // host that reads the property on the notice finds the new value.
    QStringList log;
    connect(hosted.button, &ButtonEx::redrawn, [&log] { log << QStringLiteral("redraw"); });
    connect(hosted.site, &HostSite::propertyChangeNotified,
            [&log, &hosted, &value](const QByteArray& changed) {
                const bool updated = hosted.button->property(changed.constData()) == value;
                log << QString::fromLatin1(changed) + (updated ? "" : " (still the old value)");
            });
    QVERIFY(hosted.button->property(name.constData()) != value);
    QVERIFY(hosted.button->setProperty(name.constData(), value));

    const QStringList expected =
        repaints ? QStringList{QStringLiteral("redraw"), QString::fromLatin1(name)}
                 : QStringList{QString::fromLatin1(name)};
    QCOMPARE(log, expected);
}

void tst_ButtonExProperties::highlightPictureShowsAtNextRepaint() {
    Hosted hosted;
    hosted.button->initProperties();
    hosted.button->setPicture(twoColourPicture());
    const QImage before = hosted.button->face();
    QSignalSpy redraws(hosted.button, &ButtonEx::redrawn);

    hosted.button->setHighlightPicture(true);
    QCOMPARE(redraws.size(), 0);
    QCOMPARE(hosted.button->face(), before);

    hosted.button->setHighlightColor(0x000000FFu);
    QCOMPARE(redraws.size(), 1);
}

void tst_ButtonExProperties::accessKeyFromCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    // The button first carries the key "q" from "&quit".
    QTest::newRow("doubled ampersand only") << QStringLiteral("&&Word") << QStringLiteral("q");
    QTest::newRow("doubled then single") << QStringLiteral("A && B &xylo") << QStringLiteral("x");
    QTest::newRow("single at the end clears") << QStringLiteral("Save &") << QString();
    QTest::newRow("no ampersand") << QStringLiteral("Plain") << QStringLiteral("q");
    QTest::newRow("triple ampersand") << QStringLiteral("a&&&b") << QStringLiteral("b");
    QTest::newRow("first single wins") << QStringLiteral("&One &Two") << QStringLiteral("O");
    QTest::newRow("empty caption") << QString() << QStringLiteral("q");
}

void tst_ButtonExProperties::accessKeyFromCaption() {
    QFETCH(QString, caption);
    QFETCH(QString, key);
    Hosted hosted;
    hosted.button->setCaption(QStringLiteral("&quit"));
    hosted.button->setCaption(caption);
    QCOMPARE(hosted.button->accessKey(), key);
    QCOMPARE(hosted.site->accessKeys(), key);
}

void tst_ButtonExProperties::accessKeyKeptWhenCaptionLosesItsMarker() {
    Hosted hosted;
    hosted.button->setCaption(QStringLiteral("&Back"));
    hosted.button->setCaption(QStringLiteral("Back"));
    QCOMPARE(hosted.button->accessKey(), QStringLiteral("B"));
    QCOMPARE(AccessKey::plainText(QStringLiteral("&Rock && Roll&")), QStringLiteral("Rock & Roll"));
}

void tst_ButtonExProperties::defaultsAreNotStored() {
    Hosted hosted;
    hosted.button->initProperties();
    PropertyBag bag;
    ControlHost::save(hosted.button, bag);
    QStringList keys = bag.keys();
    keys.sort();
    QCOMPARE(keys, (QStringList{QStringLiteral("_extentx"), QStringLiteral("_extenty")}));
}

void tst_ButtonExProperties::storedExtentIsInHundredthsOfMillimetres() {
    Hosted hosted;
    hosted.button->initProperties();
    hosted.button->resize(1290 / 15, 450 / 15);
    PropertyBag bag;
    ControlHost::save(hosted.button, bag);
    QCOMPARE(bag.read(QStringLiteral("_extentx")).toInt(), 2275);
    QCOMPARE(bag.read(QStringLiteral("_extenty")).toInt(), 794);
}

void tst_ButtonExProperties::savedValuesHaveTheirKindsAndLoadBack() {
    Hosted saved;
    saved.button->initProperties();
    const QFont font(QStringLiteral("Serif"), 21, QFont::Bold);
    saved.button->setAppearance(ButtonEx::kFlat);
    saved.button->setButtonEnabled(false);
    saved.button->setBackColor(0x00112233u);
    saved.button->setCaption(QStringLiteral("&Next"));
    saved.button->setButtonFont(font);
    saved.button->setHighlightPicture(true);
    saved.button->setPicture(twoColourPicture());
    saved.button->setTransparentColor(0xFFFFFFFFu);
    saved.button->setMousePointer(2);
    saved.button->setToolTipText(QStringLiteral("next page"));
    saved.button->setWhatsThisHelpID(-7);
    PropertyBag bag;
    saved.button->writeProperties(bag);

    QCOMPARE(bag.keys(), (QStringList{"Appearance", "BackColor", "Caption", "Enabled", "Font",
                                      "HighlightPicture", "MousePointer", "Picture", "ToolTipText",
                                      "TransparentColor", "WhatsThisHelpID"}));
    QCOMPARE(bag.read(QStringLiteral("appearance")).typeId(), int(QMetaType::Int));
    QCOMPARE(bag.read(QStringLiteral("BACKCOLOR")).typeId(), int(QMetaType::UInt));
    QCOMPARE(bag.read(QStringLiteral("Enabled")).typeId(), int(QMetaType::Bool));
    QCOMPARE(bag.read(QStringLiteral("Caption")).typeId(), int(QMetaType::QString));
    QCOMPARE(bag.read(QStringLiteral("Font")).typeId(), int(QMetaType::QFont));
    QCOMPARE(bag.read(QStringLiteral("Picture")).typeId(), int(QMetaType::QImage));

    Hosted loaded;
    loaded.button->readProperties(bag);
    for (const char* name : {"Appearance", "Enabled", "BackColor", "Caption", "Font",
                             "HighlightPicture", "Picture", "TransparentColor", "MousePointer",
                             "ToolTipText", "WhatsThisHelpID", "ForeColor", "HighlightColor"})
        QCOMPARE(loaded.button->property(name), saved.button->property(name));
    QCOMPARE(loaded.button->isEnabled(), false);
}

void tst_ButtonExProperties::lowerCaseKeysLoad() {
    PropertyBag bag;
    bag.set(QStringLiteral("backcolor"), qint64(0x00FF00FF));
    bag.set(QStringLiteral("caption"), QStringLiteral("&Guides"));
    bag.set(QStringLiteral("forecolor"), qint64(0x80000012));
    bag.set(QStringLiteral("highlightcolor"), qint64(255));
    bag.set(QStringLiteral("enabled"), false);
    Hosted hosted;
    QSignalSpy spy(hosted.site, &HostSite::propertyChangeNotified);
    hosted.button->readProperties(bag);
    QCOMPARE(hosted.button->BackColor(), 0x00FF00FFu);
    QCOMPARE(hosted.button->Caption(), QStringLiteral("&Guides"));
    QCOMPARE(hosted.button->ForeColor(), 0x80000012u);
    QCOMPARE(hosted.button->HighlightColor(), 255u);
    QCOMPARE(hosted.button->Enabled(), false);
    QCOMPARE(hosted.button->accessKey(), QStringLiteral("G"));
    QCOMPARE(notices(spy).first(), QByteArray("Appearance"));
    QCOMPARE(notices(spy).at(1), QByteArray("BackColor"));
}

void tst_ButtonExProperties::missingKeysLoadDefaults() {
    Hosted hosted;
    hosted.button->readProperties(PropertyBag());
    QCOMPARE(hosted.button->Appearance(), ButtonEx::k3D);
    QCOMPARE(hosted.button->Caption(), QStringLiteral("ButtonEx1"));
    QCOMPARE(hosted.button->Enabled(), true);
    QCOMPARE(hosted.button->Font(), hosted.window->font());
    QCOMPARE(hosted.button->TransparentColor(), 0x00FF0000u);
}

void tst_ButtonExProperties::fontFollowsAmbientFontThroughLoadAndSave() {
    // A top-level control has no window to take an ambient font from: the
    // load skips Font and keeps every other key in its place.
    ButtonEx button;
    HostSite site(&button);
    button.setSite(&site);
    QSignalSpy spy(&site, &HostSite::propertyChangeNotified);
    button.readProperties(PropertyBag());
    QList<QByteArray> withoutFont = kInitOrder;
    withoutFont.removeAll("Font");
    QCOMPARE(notices(spy), withoutFont);

    // A font never set is not stored; a set one is, having no ambient
    // font to equal.
    PropertyBag bag;
    button.writeProperties(bag);
    QVERIFY(bag.isEmpty());
    const QFont serif(QStringLiteral("Serif"), 9);
    button.setButtonFont(serif);
    button.writeProperties(bag);
    QCOMPARE(bag.keys(), QStringList{QStringLiteral("Font")});
    QCOMPARE(bag.read(QStringLiteral("Font")).value<QFont>(), serif);

    // Hosted, the same font is the ambient default and is dropped again.
    Hosted hosted;
    hosted.window->setFont(serif);
    hosted.button->readProperties(bag);
    hosted.button->writeProperties(bag);
    QVERIFY(bag.isEmpty());
}

void tst_ButtonExProperties::unconvertibleStoredValueIsSkipped_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("zero");
    QTest::newRow("Appearance text")
        << "Appearance" << QVariant(QStringLiteral("3-D")) << QVariant(0);
    QTest::newRow("BackColor text")
        << "backcolor" << QVariant(QStringLiteral("blue")) << QVariant(0u);
    QTest::newRow("Enabled text") << "Enabled" << QVariant(QStringLiteral("maybe"))
                                  << QVariant(false);
    QTest::newRow("Picture number") << "Picture" << QVariant(5) << QVariant(QImage());
    QTest::newRow("Caption picture")
        << "Caption" << QVariant(QImage(2, 2, QImage::Format_RGB32)) << QVariant(QString());
    QTest::newRow("colour too large") << "ForeColor" << QVariant(qint64(1) << 40) << QVariant(0u);
}

void tst_ButtonExProperties::unconvertibleStoredValueIsSkipped() {
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, zero);
    PropertyBag bag;
    bag.set(key, stored);
    bag.set(QStringLiteral("TransparentColor"), 255);
    Hosted hosted;
    hosted.button->readProperties(bag);
    // The property keeps its zero value and the later keys still load.
    const QMetaObject* meta = hosted.button->metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (QString::fromLatin1(property.name()).compare(key, Qt::CaseInsensitive) == 0)
            QCOMPARE(property.read(hosted.button), zero);
    }
    QCOMPARE(hosted.button->TransparentColor(), 255u);
}

void tst_ButtonExProperties::bagValueConversions_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<qint64>("integer"); // -1: not convertible
    QTest::addColumn<int>("boolean");    // -1: not convertible
    QTest::newRow("int") << QVariant(7) << qint64(7) << 1;
    QTest::newRow("system colour as signed")
        << QVariant(int(0x8000000F)) << qint64(0x8000000F) << 1;
    QTest::newRow("system colour as unsigned")
        << QVariant(qint64(0x8000000F)) << qint64(0x8000000F) << 1;
    QTest::newRow("numeric text") << QVariant(QStringLiteral(" 12 ")) << qint64(12) << 1;
    QTest::newRow("half to even") << QVariant(2.5) << qint64(2) << 1;
    QTest::newRow("zero text") << QVariant(QStringLiteral("0")) << qint64(0) << 0;
    QTest::newRow("True text") << QVariant(QStringLiteral("TRUE")) << qint64(-1) << 1;
    QTest::newRow("bool true") << QVariant(true) << qint64(0xFFFFFFFF) << 1;
    QTest::newRow("word") << QVariant(QStringLiteral("abc")) << qint64(-1) << -1;
    QTest::newRow("empty text") << QVariant(QString()) << qint64(-1) << -1;
    QTest::newRow("below range") << QVariant(qint64(-2147483649LL)) << qint64(-1) << 1;
}

void tst_ButtonExProperties::bagValueConversions() {
    QFETCH(QVariant, stored);
    QFETCH(qint64, integer);
    QFETCH(int, boolean);
    const std::optional<std::uint32_t> asInt = BagValue::toInt32(stored);
    if (integer == -1)
        QVERIFY(!asInt);
    else
        QCOMPARE(qint64(*asInt), integer);
    const std::optional<bool> asBool = BagValue::toBoolean(stored);
    if (boolean == -1)
        QVERIFY(!asBool);
    else
        QCOMPARE(int(*asBool), boolean);
}

void tst_ButtonExProperties::mousePointerSetsCursor() {
    Hosted hosted;
    hosted.button->setMousePointer(11);
    QCOMPARE(hosted.button->cursor().shape(), Qt::WaitCursor);
    // The custom pointer needs an icon; without one the host's pointer shows.
    hosted.button->setMousePointer(99);
    QVERIFY(!hosted.button->testAttribute(Qt::WA_SetCursor));
    hosted.button->setMouseIcon(twoColourPicture());
    QCOMPARE(hosted.button->cursor().shape(), Qt::BitmapCursor);
    // Only the low 16 bits of the code count.
    hosted.button->setMousePointer(0x10002);
    QCOMPARE(hosted.button->cursor().shape(), Qt::CrossCursor);
    hosted.button->setMousePointer(0);
    QVERIFY(!hosted.button->testAttribute(Qt::WA_SetCursor));
}

void tst_ButtonExProperties::everyPropertyHasItsDescription() {
    const QMetaObject& meta = ButtonEx::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const char* name = meta.property(i).name();
        QVERIFY2(meta.indexOfClassInfo(name) >= 0, name);
    }
    QCOMPARE(meta.propertyCount() - meta.propertyOffset(), 15);
}

void tst_ButtonExProperties::accessibleAsPushButton() {
    Hosted hosted;
    hosted.button->initProperties();
    hosted.button->setCaption(QStringLiteral("Go && &Fetch"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(hosted.button);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Go & Fetch"));
    QSignalSpy clicks(hosted.button, &ButtonEx::Click);
    QAccessibleActionInterface* actions = accessible->actionInterface();
    QVERIFY(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.size(), 1);
    hosted.button->setButtonEnabled(false);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(tst_ButtonExProperties)
#include "tst_ButtonExProperties.moc"
