#include "frmSplash.h"

#include "platform/ClickLabel.h"
#include "platform/FormLoader.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace velmora {

namespace {

// The thin frame around the client area.
constexpr int kFrame = twipsToPixels(60);

} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_client(new QWidget(this)) {
    m_form = FormLoader::load(QStringLiteral(":/app/forms/frmSplash.json"), m_client);
    setWindowTitle(QString());
    m_client->move(kFrame, kFrame);
    setFixedSize(m_client->size() + QSize(2 * kFrame, 2 * kFrame));
    setFocusPolicy(Qt::StrongFocus);

    if (QTimer* timer = m_form.timer(QStringLiteral("tmrUnload")))
        connect(timer, &QTimer::timeout, this, &frmSplash::tmrUnload_Timer);
    if (auto* label = m_form.control<ClickLabel>(QStringLiteral("Label2")))
        connect(label, &ClickLabel::clicked, this, &frmSplash::Label2_Click);
    if (auto* label = m_form.control<ClickLabel>(QStringLiteral("Label3")))
        connect(label, &ClickLabel::clicked, this, &frmSplash::Label3_Click);
}

void frmSplash::tmrUnload_Timer() {
    unload();
}

void frmSplash::Label2_Click() {
    unload();
}

void frmSplash::Label3_Click() {
    unload();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    event->accept();
    unload();
}

void frmSplash::unload() {
    // A key and the timer can both arrive before the window is gone; only
    // the first may create the main window.
    if (m_Unloaded)
        return;
    m_Unloaded = true;
    if (QTimer* timer = m_form.timer(QStringLiteral("tmrUnload")))
        timer->stop();
    emit unloading();
    hide();
    deleteLater();
}

void frmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect outer = rect();
    // outer dark edge, then a lighter inner ring, as a thin fixed frame
    painter.fillRect(outer, QColor(0x1c, 0x2d, 0x6b));
    painter.fillRect(outer.adjusted(1, 1, -1, -1), QColor(0x4a, 0x6c, 0xc8));
    painter.fillRect(outer.adjusted(3, 3, -3, -3), QColor(0x1c, 0x2d, 0x6b));
}

} // namespace velmora
