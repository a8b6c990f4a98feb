#include "ControlBuilder.h"

#include "ButtonKeys.h"
#include "ClickLabel.h"
#include "ControlHost.h"
#include "ControlPalette.h"
#include "LineGeometry.h"
#include "ListKeys.h"
#include "ShapeWidget.h"
#include "Twips.h"

#include <Button/PropertyBag.h>

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>

namespace velmora {

namespace {

using Description = ControlDescription;

Qt::Alignment alignmentFrom(const QString& name) {
    if (name == QLatin1String("center"))
        return Qt::AlignHCenter | Qt::AlignTop;
    if (name == QLatin1String("right"))
        return Qt::AlignRight | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

ClickLabel* makeLabel(const Description& d, QWidget* parent, bool isImage) {
    auto* label = new ClickLabel(parent);
    // Before the text: a text change may already make the label's interface
    // for assistive technology, which keeps the role it was made with.
    const QString tabStop = d.tabStop.value_or(QString());
    if (!tabStop.isEmpty())
        label->makeTabStop(tabStop == QLatin1String("link") ? QAccessible::Link
                                                            : QAccessible::Button,
                           d.activatedByDoubleClick ? ClickLabel::Activation::DoubleClick
                                                    : ClickLabel::Activation::Click);
    if (isImage) {
        label->setPixmap(QPixmap(d.picture));
        label->setScaledContents(d.stretch);
    } else {
        label->setText(d.caption.value_or(QString()));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignmentFrom(d.alignment));
        label->setWordWrap(d.wordWrap);
    }
    return label;
}

QWidget* makeShape(const Description& d, QWidget* parent, ShapeWidget::Kind kind) {
    auto* shape = new ShapeWidget(kind, parent);
    if (d.shape.fillColor)
        shape->setFillColor(toQColor(*d.shape.fillColor));
    if (d.shape.borderColor)
        shape->setBorderColor(toQColor(*d.shape.borderColor));
    shape->setFilled(d.shape.filled);
    shape->setBorderVisible(d.shape.border.value_or(true));
    return shape;
}

QWidget* makeScrollBar(Qt::Orientation orientation, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setRange(0, 0);
    return bar;
}

QWidget* buildFrame(const Description& d, QWidget* parent, ControlPlacement&) {
    if (d.caption)
        return new QGroupBox(*d.caption, parent);
    auto* frame = new QFrame(parent);
    frame->setFrameShape(d.shape.border.value_or(false) ? QFrame::Box : QFrame::NoFrame);
    return frame;
}

QWidget* buildPictureBox(const Description& d, QWidget* parent, ControlPlacement&) {
    // A picture box the keyboard reaches reports its clicks as a label does.
    QFrame* frame = d.tabStop ? makeLabel(d, parent, true) : new QFrame(parent);
    frame->setFrameShape(d.shape.border.value_or(false) ? QFrame::Box : QFrame::NoFrame);
    return frame;
}

QWidget* buildLabel(const Description& d, QWidget* parent, ControlPlacement&) {
    return makeLabel(d, parent, false);
}

QWidget* buildImage(const Description& d, QWidget* parent, ControlPlacement&) {
    return makeLabel(d, parent, true);
}

QWidget* buildShape(const Description& d, QWidget* parent, ControlPlacement&) {
    return makeShape(d, parent, ShapeWidget::Kind::Rectangle);
}

QWidget* buildLine(const Description& d, QWidget* parent, ControlPlacement& place) {
    auto* line = static_cast<ShapeWidget*>(makeShape(d, parent, ShapeWidget::Kind::Line));
    const LineGeometry geometry = LineGeometry::fromTwips(d.shape.line);
    line->setLine(geometry.from, geometry.to);
    place = {geometry.designBox(), geometry.box};
    return line;
}

QWidget* buildTextBox(const Description& d, QWidget* parent, ControlPlacement&) {
    auto* edit = new QLineEdit(parent);
    edit->setText(d.caption.value_or(QString()));
    return edit;
}

QWidget* buildListBox(const Description&, QWidget* parent, ControlPlacement&) {
    auto* list = new QListWidget(parent);
    ListKeys::attach(list);
    return list;
}

QWidget* buildComboBox(const Description& d, QWidget* parent, ControlPlacement&) {
    auto* combo = new QComboBox(parent);
    combo->addItems(d.items);
    combo->setCurrentIndex(d.currentIndex);
    return combo;
}

QWidget* buildOptionButton(const Description& d, QWidget* parent, ControlPlacement&) {
    auto* option = new QRadioButton(d.caption.value_or(QString()), parent);
    option->setChecked(d.checked);
    return option;
}

QWidget* buildHScrollBar(const Description&, QWidget* parent, ControlPlacement&) {
    return makeScrollBar(Qt::Horizontal, parent);
}

QWidget* buildVScrollBar(const Description&, QWidget* parent, ControlPlacement&) {
    return makeScrollBar(Qt::Vertical, parent);
}

QWidget* buildProgressBar(const Description&, QWidget* parent, ControlPlacement&) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    return bar;
}

QWidget* buildButtonEx(const Description& d, QWidget* parent, ControlPlacement& place) {
    const PropertyBag bag = ControlBuilder::bagFrom(d.bag, parent->font());
    QWidget* button = ControlHost::create(QStringLiteral("Button.ButtonEx"), parent, &bag);
    if (!button)
        return nullptr;
    ButtonKeys::attach(button);
    // The stored extent gives the size when the description has no width
    // and height of its own.
    if (place.design.width() <= 0 && bag.contains(QStringLiteral("_extentx")))
        place.design.setWidth(
            ControlHost::himetricToTwips(bag.read(QStringLiteral("_extentx")).toInt()));
    if (place.design.height() <= 0 && bag.contains(QStringLiteral("_extenty")))
        place.design.setHeight(
            ControlHost::himetricToTwips(bag.read(QStringLiteral("_extenty")).toInt()));
    place.pixels = twipsToPixels(place.design);
    return button;
}

void applyCommonKeys(QWidget* widget, const Description& d) {
    if (d.look.font)
        widget->setFont(ControlBuilder::fontFrom(*d.look.font, widget->font()));
    if (d.look.backColor && !d.look.transparent)
        ControlPalette::setBackColor(widget, *d.look.backColor);
    if (d.look.foreColor)
        ControlPalette::setForeColor(widget, *d.look.foreColor);
    if (d.toolTip)
        widget->setToolTip(*d.toolTip);
    if (d.look.handCursor)
        widget->setCursor(Qt::PointingHandCursor);
    if (d.enabled)
        widget->setEnabled(*d.enabled);
    if (d.look.accessibleName)
        widget->setAccessibleName(*d.look.accessibleName);
}

struct ControlType {
    const char* name;
    QWidget* (*build)(const Description&, QWidget* parent, ControlPlacement& place);
    /// Font, colours, tool tip, cursor, enabled and accessible name from
    /// the description; a hosted control takes all but its tool tip from
    /// its own bag.
    bool commonKeys;
};

const ControlType kControlTypes[] = {
    {"Frame", buildFrame, true},
    {"PictureBox", buildPictureBox, true},
    {"Label", buildLabel, true},
    {"Image", buildImage, true},
    {"Shape", buildShape, true},
    {"Line", buildLine, true},
    {"TextBox", buildTextBox, true},
    {"ListBox", buildListBox, true},
    {"ComboBox", buildComboBox, true},
    {"OptionButton", buildOptionButton, true},
    {"HScrollBar", buildHScrollBar, true},
    {"VScrollBar", buildVScrollBar, true},
    {"ProgressBar", buildProgressBar, true},
    {"ButtonEx", buildButtonEx, false},
};

} // namespace

QWidget* ControlBuilder::build(const ControlDescription& control, QWidget* parent,
                               ControlPlacement& place) {
    for (const ControlType& type : kControlTypes) {
        if (control.type != QLatin1String(type.name))
            continue;
        QWidget* widget = type.build(control, parent, place);
        if (!widget)
            return nullptr;
        widget->setObjectName(control.name);
        if (type.commonKeys)
            applyCommonKeys(widget, control);
        else if (control.toolTip)
            widget->setToolTip(*control.toolTip);
        return widget;
    }
    return nullptr;
}

QFont ControlBuilder::fontFrom(const FontDescription& d, const QFont& base) {
    QFont font = base;
    if (d.name)
        font.setFamily(*d.name);
    if (d.size)
        font.setPointSizeF(*d.size);
    font.setBold(d.bold);
    font.setItalic(d.italic);
    font.setUnderline(d.underline);
    font.setStrikeOut(d.strikeout);
    return font;
}

PropertyBag ControlBuilder::bagFrom(const QList<BagEntry>& entries, const QFont& baseFont) {
    PropertyBag bag;
    for (const BagEntry& entry : entries) {
        switch (entry.kind) {
        case BagEntry::Kind::Font:
            bag.set(entry.key, fontFrom(entry.font, baseFont));
            break;
        case BagEntry::Kind::Picture:
            bag.set(entry.key, QImage(entry.value.toString()));
            break;
        case BagEntry::Kind::Value:
            bag.set(entry.key, entry.value);
            break;
        }
    }
    return bag;
}

} // namespace velmora
