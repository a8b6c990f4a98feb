#pragma once

#include <QAccessibleWidget>

namespace velmora {

class ButtonEx;

/// What assistive technology sees of a ButtonEx: a push button named by its
/// caption as it reads, whose press action clicks it.
class ButtonExAccessible : public QAccessibleWidget {
public:
    explicit ButtonExAccessible(ButtonEx* button);

    /// Registers the interface factory once per process; it is removed again
    /// when the library goes.
    static void install();

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    ButtonEx* button() const;
};

} // namespace velmora
