#pragma once

#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>

class QTimer;
class QWidget;

namespace velmora {

/// The controls of one loaded window description, by name.  Members of a
/// control array are named "Name(index)"; the first one is also reachable
/// by its plain name.
class Form {
public:
    QWidget* root() const { return m_root; }

    /// The control `name` as T, or null when there is none of that type.
    template <class T = QWidget> T* control(const QString& name) const {
        return qobject_cast<T*>(m_controls.value(name));
    }
    QTimer* timer(const QString& name) const { return m_timers.value(name); }
    /// The design geometry of `name` in twips, as the description gives it.
    QRect designGeometry(const QString& name) const { return m_design.value(name); }
    QStringList names() const { return m_order; }

private:
    friend class FormLoader;
    QWidget* m_root = nullptr;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QTimer*> m_timers;
    QHash<QString, QRect> m_design;
    QStringList m_order;
};

} // namespace velmora
