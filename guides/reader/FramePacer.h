#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace velmora {

/// Lets a few controls paint at most once a display frame while their
/// values change faster than that (a fetch sets the progress bar and the
/// page label for every page).  The values are set at once as always; only
/// their painting waits: the first change of a frame holds it, the frame's
/// end paints each control once with its latest value.
class FramePacer : public QObject {
    Q_OBJECT
public:
    /// About 60 frames a second.
    static constexpr int kFrameMs = 16;

    explicit FramePacer(QObject* parent = nullptr);
    /// Gives the controls their painting back.
    ~FramePacer() override;

    /// The controls whose painting is paced; missing ones are skipped.
    void setControls(const QList<QWidget*>& controls);
    /// Changes are about to be made: their painting waits for the frame's end.
    void hold();
    bool isHolding() const { return m_frame.isActive(); }

private:
    void release();

    QList<QPointer<QWidget>> m_controls;
    QTimer m_frame;
};

} // namespace velmora
