#include "ButtonWiring.h"

#include <QObject>
#include <QWidget>

namespace velmora {

namespace {

// A string-based connection needs a slot on the receiving side; this one
// hands the event to a function.
class ClickRelay : public QObject {
    Q_OBJECT
public:
    ClickRelay(QObject* context, std::function<void()> handler)
        : QObject(context), m_handler(std::move(handler)) {}

public slots:
    void fire() { m_handler(); }

private:
    std::function<void()> m_handler;
};

} // namespace

bool connectClick(QWidget* button, QObject* context, std::function<void()> handler) {
    if (!button || button->metaObject()->indexOfSignal("Click()") < 0)
        return false;
    auto* relay = new ClickRelay(context, std::move(handler));
    return bool(QObject::connect(button, SIGNAL(Click()), relay, SLOT(fire())));
}

void setControlEnabled(QWidget* control, bool enabled) {
    if (!control)
        return;
    if (control->metaObject()->indexOfProperty("Enabled") >= 0)
        control->setProperty("Enabled", enabled);
    else
        control->setEnabled(enabled);
}

} // namespace velmora

#include "ButtonWiring.moc"
