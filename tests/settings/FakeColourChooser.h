#pragma once

#include "settings/ColourChooser.h"

#include <QList>

namespace velmora {

/// Answers each colour request with the next queued answer (a colour, or
/// nothing for a cancel) and records what it was asked.
class FakeColourChooser : public ColourChooser {
public:
    std::optional<OleColor> choose(OleColor current, const QString& title, QWidget*) override {
        m_asked << current;
        m_titles << title;
        return m_answers.isEmpty() ? std::nullopt : m_answers.takeFirst();
    }
    void queue(std::optional<OleColor> answer) { m_answers << answer; }
    int requests() const { return int(m_asked.size()); }
    OleColor lastShown() const { return m_asked.isEmpty() ? 0 : m_asked.last(); }

private:
    QList<std::optional<OleColor>> m_answers;
    QList<OleColor> m_asked;
    QStringList m_titles;
};

} // namespace velmora
