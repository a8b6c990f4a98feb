#pragma once

#include <QAccessibleWidget>

namespace velmora {

class ClickLabel;

/// What assistive technology sees of a click label made a tab stop: its
/// role (a link, a push button), its own name (the tool tip stays the
/// description), and a press action that activates it as the keyboard does.
/// Labels that are no tab stop keep Qt's own interface for a label.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label);

    /// Registers the interface factory once per process.
    static void install();

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    ClickLabel* label() const;
};

} // namespace velmora
