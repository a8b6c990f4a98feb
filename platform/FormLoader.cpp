#include "FormLoader.h"

#include "ButtonKeys.h"
#include "ClickLabel.h"
#include "ControlHost.h"
#include "ListKeys.h"
#include "ShapeWidget.h"
#include "Twips.h"

#include <Button/OleColor.h>
#include <Button/PropertyBag.h>

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace velmora {

namespace {

OleColor colourValue(const QJsonValue& value) {
    return OleColor(value.toInteger());
}

Qt::Alignment alignmentFrom(const QString& name) {
    if (name == QLatin1String("center"))
        return Qt::AlignHCenter | Qt::AlignTop;
    if (name == QLatin1String("right"))
        return Qt::AlignRight | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

QRect twipsRect(const QJsonArray& geometry) {
    return QRect(geometry.at(0).toInt(), geometry.at(1).toInt(), geometry.at(2).toInt(),
                 geometry.at(3).toInt());
}

ClickLabel* buildLabel(const QJsonObject& d, QWidget* parent, bool isImage) {
    auto* label = new ClickLabel(parent);
    // Before the text: a text change may already make the label's interface
    // for assistive technology, which keeps the role it was made with.
    const QString tabStop = d.value(QLatin1String("tabStop")).toString();
    if (!tabStop.isEmpty())
        label->makeTabStop(
            tabStop == QLatin1String("link") ? QAccessible::Link : QAccessible::Button,
            d.value(QLatin1String("activation")).toString() == QLatin1String("doubleClick")
                ? ClickLabel::Activation::DoubleClick
                : ClickLabel::Activation::Click);
    if (isImage) {
        label->setPixmap(QPixmap(d.value(QLatin1String("picture")).toString()));
        label->setScaledContents(d.value(QLatin1String("stretch")).toBool());
    } else {
        label->setText(d.value(QLatin1String("caption")).toString());
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignmentFrom(d.value(QLatin1String("alignment")).toString()));
        label->setWordWrap(d.value(QLatin1String("wordWrap")).toBool(true));
    }
    return label;
}

QWidget* buildShape(const QJsonObject& d, QWidget* parent, ShapeWidget::Kind kind) {
    auto* shape = new ShapeWidget(kind, parent);
    if (d.contains(QLatin1String("fillColor")))
        shape->setFillColor(toQColor(colourValue(d.value(QLatin1String("fillColor")))));
    if (d.contains(QLatin1String("borderColor")))
        shape->setBorderColor(toQColor(colourValue(d.value(QLatin1String("borderColor")))));
    shape->setFilled(d.value(QLatin1String("filled")).toBool(true));
    shape->setBorderVisible(d.value(QLatin1String("border")).toBool(true));
    return shape;
}

QWidget* buildScrollBar(Qt::Orientation orientation, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setRange(0, 0);
    return bar;
}

QWidget* buildComboBox(const QJsonObject& d, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (const QJsonValue item : d.value(QLatin1String("items")).toArray())
        combo->addItem(item.toString());
    combo->setCurrentIndex(d.value(QLatin1String("currentIndex")).toInt(-1));
    return combo;
}

QWidget* buildButton(const QJsonObject& d, QWidget* parent, QRect& geometry) {
    const QJsonObject bagJson = d.value(QLatin1String("bag")).toObject();
    const PropertyBag bag = FormLoader::bagFrom(bagJson, parent->font());
    QWidget* button = ControlHost::create(QStringLiteral("Button.ButtonEx"), parent, &bag);
    if (!button)
        return nullptr;
    ButtonKeys::attach(button);
    // The stored extent gives the size when the description has no width
    // and height of its own.
    if (geometry.width() <= 0 && bag.contains(QStringLiteral("_extentx")))
        geometry.setWidth(
            ControlHost::himetricToTwips(bag.read(QStringLiteral("_extentx")).toInt()));
    if (geometry.height() <= 0 && bag.contains(QStringLiteral("_extenty")))
        geometry.setHeight(
            ControlHost::himetricToTwips(bag.read(QStringLiteral("_extenty")).toInt()));
    return button;
}

QWidget* buildWidget(const QString& type, const QJsonObject& d, QWidget* parent, QRect& geometry) {
    if (type == QLatin1String("Frame") && d.contains(QLatin1String("caption")))
        return new QGroupBox(d.value(QLatin1String("caption")).toString(), parent);
    if (type == QLatin1String("Frame") || type == QLatin1String("PictureBox")) {
        // A picture box the keyboard reaches reports its clicks as a label does.
        QFrame* frame = type == QLatin1String("PictureBox") && d.contains(QLatin1String("tabStop"))
                            ? buildLabel(d, parent, true)
                            : new QFrame(parent);
        frame->setFrameShape(d.value(QLatin1String("border")).toBool() ? QFrame::Box
                                                                       : QFrame::NoFrame);
        return frame;
    }
    if (type == QLatin1String("Label"))
        return buildLabel(d, parent, false);
    if (type == QLatin1String("Image"))
        return buildLabel(d, parent, true);
    if (type == QLatin1String("Shape"))
        return buildShape(d, parent, ShapeWidget::Kind::Rectangle);
    if (type == QLatin1String("Line"))
        return buildShape(d, parent, ShapeWidget::Kind::Line);
    if (type == QLatin1String("TextBox")) {
        auto* edit = new QLineEdit(parent);
        edit->setText(d.value(QLatin1String("caption")).toString());
        return edit;
    }
    if (type == QLatin1String("ListBox")) {
        auto* list = new QListWidget(parent);
        ListKeys::attach(list);
        return list;
    }
    if (type == QLatin1String("ComboBox"))
        return buildComboBox(d, parent);
    if (type == QLatin1String("OptionButton")) {
        auto* option = new QRadioButton(d.value(QLatin1String("caption")).toString(), parent);
        option->setChecked(d.value(QLatin1String("value")).toBool());
        return option;
    }
    if (type == QLatin1String("HScrollBar"))
        return buildScrollBar(Qt::Horizontal, parent);
    if (type == QLatin1String("VScrollBar"))
        return buildScrollBar(Qt::Vertical, parent);
    if (type == QLatin1String("ProgressBar")) {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        return bar;
    }
    if (type == QLatin1String("ButtonEx"))
        return buildButton(d, parent, geometry);
    return nullptr;
}

void applyCommon(QWidget* widget, const QJsonObject& d) {
    if (d.contains(QLatin1String("font")))
        widget->setFont(
            FormLoader::fontFrom(d.value(QLatin1String("font")).toObject(), widget->font()));
    if (d.contains(QLatin1String("backColor")) && !d.value(QLatin1String("transparent")).toBool())
        FormLoader::setBackColor(widget, colourValue(d.value(QLatin1String("backColor"))));
    if (d.contains(QLatin1String("foreColor")))
        FormLoader::setForeColor(widget, colourValue(d.value(QLatin1String("foreColor"))));
    if (d.contains(QLatin1String("toolTip")))
        widget->setToolTip(d.value(QLatin1String("toolTip")).toString());
    if (d.value(QLatin1String("cursor")).toString() == QLatin1String("hand"))
        widget->setCursor(Qt::PointingHandCursor);
    if (d.contains(QLatin1String("enabled")))
        widget->setEnabled(d.value(QLatin1String("enabled")).toBool());
    if (d.contains(QLatin1String("accessibleName")))
        widget->setAccessibleName(d.value(QLatin1String("accessibleName")).toString());
}

} // namespace

QFont FormLoader::fontFrom(const QJsonObject& d, const QFont& base) {
    QFont font = base;
    if (d.contains(QLatin1String("name")))
        font.setFamily(d.value(QLatin1String("name")).toString());
    if (d.contains(QLatin1String("size")))
        font.setPointSizeF(d.value(QLatin1String("size")).toDouble());
    font.setBold(d.value(QLatin1String("bold")).toBool());
    font.setItalic(d.value(QLatin1String("italic")).toBool());
    font.setUnderline(d.value(QLatin1String("underline")).toBool());
    font.setStrikeOut(d.value(QLatin1String("strikeout")).toBool());
    return font;
}

PropertyBag FormLoader::bagFrom(const QJsonObject& d, const QFont& baseFont) {
    PropertyBag bag;
    for (auto it = d.begin(); it != d.end(); ++it) {
        const QString key = it.key();
        const QJsonValue value = it.value();
        if (key.compare(QLatin1String("font"), Qt::CaseInsensitive) == 0 && value.isObject())
            bag.set(key, fontFrom(value.toObject(), baseFont));
        else if ((key.compare(QLatin1String("picture"), Qt::CaseInsensitive) == 0 ||
                  key.compare(QLatin1String("mouseicon"), Qt::CaseInsensitive) == 0) &&
                 value.isString())
            bag.set(key, QImage(value.toString()));
        else if (value.isDouble())
            bag.set(key, qint64(value.toDouble()));
        else
            bag.set(key, value.toVariant());
    }
    return bag;
}

Form FormLoader::load(const QString& resource, QWidget* root) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("window description %s cannot be read", qPrintable(resource));
        Form form;
        form.m_root = root;
        return form;
    }
    return loadFromJson(file.readAll(), root);
}

Form FormLoader::loadFromJson(const QByteArray& json, QWidget* root) {
    Form form;
    form.m_root = root;
    const QJsonObject window = QJsonDocument::fromJson(json).object();
    if (window.contains(QLatin1String("caption")))
        root->setWindowTitle(window.value(QLatin1String("caption")).toString());
    if (window.contains(QLatin1String("font")))
        root->setFont(fontFrom(window.value(QLatin1String("font")).toObject(), root->font()));
    if (window.contains(QLatin1String("backColor")))
        FormLoader::setBackColor(root, colourValue(window.value(QLatin1String("backColor"))));
    if (window.contains(QLatin1String("clientWidth")))
        root->resize(twipsToPixels(window.value(QLatin1String("clientWidth")).toInt()),
                     twipsToPixels(window.value(QLatin1String("clientHeight")).toInt()));

    for (const QJsonValue entry : window.value(QLatin1String("controls")).toArray()) {
        const QJsonObject d = entry.toObject();
        QString name = d.value(QLatin1String("name")).toString();
        if (d.contains(QLatin1String("index")))
            name += QStringLiteral("(%1)").arg(d.value(QLatin1String("index")).toInt());
        const QString type = d.value(QLatin1String("type")).toString();
        QRect geometry = twipsRect(d.value(QLatin1String("geometry")).toArray());

        if (type == QLatin1String("Timer")) {
            auto* timer = new QTimer(root);
            timer->setObjectName(name);
            timer->setInterval(d.value(QLatin1String("interval")).toInt());
            if (d.value(QLatin1String("enabled")).toBool())
                timer->start();
            form.m_timers.insert(name, timer);
            continue;
        }

        QWidget* parent = root;
        if (d.contains(QLatin1String("parent")))
            if (QWidget* frame = form.m_controls.value(d.value(QLatin1String("parent")).toString()))
                parent = frame;
        QWidget* widget = buildWidget(type, d, parent, geometry);
        if (!widget) {
            qWarning("control %s of type %s left out", qPrintable(name), qPrintable(type));
            continue;
        }
        widget->setObjectName(name);
        if (type != QLatin1String("ButtonEx"))
            applyCommon(widget, d);
        else if (d.contains(QLatin1String("toolTip")))
            widget->setToolTip(d.value(QLatin1String("toolTip")).toString());
        if (type == QLatin1String("Line")) {
            const QJsonArray line = d.value(QLatin1String("line")).toArray();
            const QPoint from(twipsToPixels(line.at(0).toInt()), twipsToPixels(line.at(1).toInt()));
            const QPoint to(twipsToPixels(line.at(2).toInt()), twipsToPixels(line.at(3).toInt()));
            geometry =
                QRect(pixelsToTwips(qMin(from.x(), to.x())), pixelsToTwips(qMin(from.y(), to.y())),
                      pixelsToTwips(qAbs(to.x() - from.x()) + 1),
                      pixelsToTwips(qAbs(to.y() - from.y()) + 1));
            static_cast<ShapeWidget*>(widget)->setLine(from - twipsToPixels(geometry).topLeft(),
                                                       to - twipsToPixels(geometry).topLeft());
        }
        widget->setGeometry(twipsToPixels(geometry));
        widget->setVisible(d.value(QLatin1String("visible")).toBool(true));

        form.m_design.insert(name, geometry);
        form.m_controls.insert(name, widget);
        form.m_order << name;
        if (d.contains(QLatin1String("index"))) {
            const QString plain = d.value(QLatin1String("name")).toString();
            if (!form.m_controls.contains(plain))
                form.m_controls.insert(plain, widget);
        }
    }
    // The keyboard's own tab stops go to the end of the window's focus chain:
    // the chain picks the control that takes the focus when the window is
    // activated, and that stays the one the mouse user sees it on.
    QList<QWidget*> chain;
    QList<QWidget*> keyboardOnly;
    for (QWidget* w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain()) {
        const auto* label = qobject_cast<ClickLabel*>(w);
        (label && label->isTabStop() ? keyboardOnly : chain).append(w);
    }
    chain += keyboardOnly;
    for (qsizetype i = 1; !keyboardOnly.isEmpty() && i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // A label names the control it stands for to assistive technology.
    for (const QJsonValue entry : window.value(QLatin1String("controls")).toArray()) {
        const QJsonObject d = entry.toObject();
        auto* label = form.control<QLabel>(d.value(QLatin1String("name")).toString());
        if (label && d.contains(QLatin1String("labelFor")))
            label->setBuddy(form.control(d.value(QLatin1String("labelFor")).toString()));
    }
    return form;
}

void FormLoader::setBackColor(QWidget* widget, OleColor colour) {
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::Base, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void FormLoader::setForeColor(QWidget* widget, OleColor colour) {
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    palette.setColor(QPalette::Text, toQColor(colour));
    widget->setPalette(palette);
}

} // namespace velmora
