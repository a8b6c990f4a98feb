#include "FormLoader.h"

#include "ClickLabel.h"
#include "ControlBuilder.h"
#include "ControlPalette.h"
#include "FormDescription.h"
#include "Twips.h"

#include <Button/PropertyBag.h>

#include <QFile>
#include <QTimer>

namespace velmora {

namespace {

QTimer* makeTimer(const ControlDescription& d, QWidget* root) {
    auto* timer = new QTimer(root);
    timer->setObjectName(d.name);
    timer->setInterval(d.interval);
    if (d.enabled.value_or(false))
        timer->start();
    return timer;
}

// The keyboard's own tab stops go to the end of the window's focus chain:
// the chain picks the control that takes the focus when the window is
// activated, and that stays the one the mouse user sees it on.
void putKeyboardStopsLast(QWidget* root) {
    QList<QWidget*> chain;
    QList<QWidget*> keyboardOnly;
    for (QWidget* w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain()) {
        const auto* label = qobject_cast<ClickLabel*>(w);
        (label && label->isTabStop() ? keyboardOnly : chain).append(w);
    }
    chain += keyboardOnly;
    for (qsizetype i = 1; !keyboardOnly.isEmpty() && i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace

PropertyBag FormLoader::bagFrom(const QJsonObject& description, const QFont& baseFont) {
    return ControlBuilder::bagFrom(BagEntry::listFromJson(description), baseFont);
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
    return build(FormDescription::parse(json), root);
}

Form FormLoader::build(const FormDescription& window, QWidget* root) {
    Form form;
    form.m_root = root;
    if (window.caption)
        root->setWindowTitle(*window.caption);
    if (window.font)
        root->setFont(ControlBuilder::fontFrom(*window.font, root->font()));
    if (window.backColor)
        ControlPalette::setBackColor(root, *window.backColor);
    if (window.clientWidth)
        root->resize(twipsToPixels(*window.clientWidth), twipsToPixels(window.clientHeight));

    for (const ControlDescription& d : window.controls) {
        if (d.type == QLatin1String("Timer")) {
            form.m_timers.insert(d.name, makeTimer(d, root));
            continue;
        }
        QWidget* parent = root;
        if (d.parent)
            if (QWidget* frame = form.m_controls.value(*d.parent))
                parent = frame;
        const QRect design(d.geometry.left, d.geometry.top, d.geometry.width, d.geometry.height);
        ControlPlacement place{design, twipsToPixels(design)};
        QWidget* widget = ControlBuilder::build(d, parent, place);
        if (!widget) {
            qWarning("control %s of type %s left out", qPrintable(d.name), qPrintable(d.type));
            continue;
        }
        widget->setGeometry(place.pixels);
        widget->setVisible(d.visible);

        form.m_design.insert(d.name, place.design);
        form.m_controls.insert(d.name, widget);
        form.m_order << d.name;
        if (d.indexed && !form.m_controls.contains(d.plainName))
            form.m_controls.insert(d.plainName, widget);
    }
    putKeyboardStopsLast(root);
    // A label names the control it stands for to assistive technology.
    for (const ControlDescription& d : window.controls) {
        auto* label = form.control<QLabel>(d.plainName);
        if (label && d.labelFor)
            label->setBuddy(form.control(*d.labelFor));
    }
    return form;
}

} // namespace velmora
