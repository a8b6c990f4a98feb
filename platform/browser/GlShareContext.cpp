#include "GlShareContext.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QThread>

// Qt Gui's own setter of the context QOpenGLContext::globalShareContext()
// returns; the application uses it when started with the share attribute,
// which only takes effect before the application exists.
Q_DECL_IMPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace velmora {

namespace {

QOpenGLContext* g_ownContext = nullptr;

// Runs as the application object goes, while the platform that made the
// context still exists.
void releaseContext() {
    if (QOpenGLContext::globalShareContext() == g_ownContext)
        qt_gl_set_global_share_context(nullptr);
    delete g_ownContext;
    g_ownContext = nullptr;
}

} // namespace

bool GlShareContext::ensure(QString* error) {
    if (const QOpenGLContext* existing = QOpenGLContext::globalShareContext();
        existing && existing->isValid())
        return true;
    if (!QCoreApplication::instance()) {
        if (error)
            *error = QStringLiteral("no application object to make a GL context for");
        return false;
    }
    // A worker thread may make it; it is used and destroyed on the
    // application's thread.
    if (QThread::currentThread() != QCoreApplication::instance()->thread() &&
        !QOpenGLContext::supportsThreadedOpenGL()) {
        if (error)
            *error = QStringLiteral("the platform makes GL contexts on its main thread only");
        return false;
    }
    auto* context = new QOpenGLContext;
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) {
        delete context;
        if (error)
            *error = QStringLiteral("the platform gives no OpenGL context");
        return false;
    }
    context->moveToThread(QCoreApplication::instance()->thread());
    if (!g_ownContext)
        qAddPostRoutine(releaseContext);
    delete g_ownContext;
    g_ownContext = context;
    qt_gl_set_global_share_context(context);
    return true;
}

} // namespace velmora
