#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace velmora {

/// A control's stored properties: key -> value, where keys match without
/// regard to case and keep the spelling they were first written with.
/// A value equal to the default is not stored, so a control whose
/// properties all hold their defaults leaves the bag empty.
class PropertyBag {
public:
    /// The value under `key`, or `defaultValue` when the bag has none.
    QVariant read(const QString& key, const QVariant& defaultValue = {}) const {
        const auto it = m_values.constFind(key.toLower());
        return it == m_values.cend() ? defaultValue : it->second;
    }

    /// Stores `value` under `key` unless it equals `defaultValue`; a value
    /// equal to the default removes what the key held.
    void write(const QString& key, const QVariant& value, const QVariant& defaultValue) {
        if (value == defaultValue)
            m_values.remove(key.toLower());
        else
            set(key, value);
    }

    /// Stores `value` under `key` unconditionally (the host's own keys).
    void set(const QString& key, const QVariant& value) {
        auto& slot = m_values[key.toLower()];
        if (slot.first.isEmpty())
            slot.first = key;
        slot.second = value;
    }

    bool contains(const QString& key) const { return m_values.contains(key.toLower()); }
    void remove(const QString& key) { m_values.remove(key.toLower()); }
    bool isEmpty() const { return m_values.isEmpty(); }
    qsizetype size() const { return m_values.size(); }

    /// Keys as they were first written.
    QStringList keys() const {
        QStringList out;
        for (const auto& entry : m_values)
            out << entry.first;
        return out;
    }

private:
    QMap<QString, std::pair<QString, QVariant>> m_values;
};

} // namespace velmora
