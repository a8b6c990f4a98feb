#include "BrowserFactory.h"

#include "Browser.h"
#include "ProgramFolders.h"
#include "browser/GlShareContext.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibrary>
#include <QThread>
#include <QWidget>

namespace velmora {

namespace {

using CreateBrowser = Browser* (*)(QWidget* parent);

BrowserFactory* g_installedFactory = nullptr;

// One preparation per run: there is one share context and one web engine.
QThread* g_preparation = nullptr;
bool g_preparationStarted = false;

// Also runs as the application object goes, before the share context is
// released and while the platform the worker uses still exists.
void finishPreparation() {
    if (!g_preparation)
        return;
    g_preparation->wait();
    delete g_preparation;
    g_preparation = nullptr;
}

// The web engine cannot be unloaded once it has run, so a module that
// loaded stays loaded for the rest of the run.
CreateBrowser moduleEntry(const QString& path, QString* error) {
    static QHash<QString, CreateBrowser> entries;
    if (const CreateBrowser known = entries.value(path))
        return known;
    QLibrary library(path);
    if (!library.load()) {
        if (error)
            *error = library.errorString();
        return nullptr;
    }
    const auto entry = reinterpret_cast<CreateBrowser>(library.resolve("velmora_browser_create"));
    if (!entry) {
        if (error)
            *error = library.errorString();
        library.unload();
        return nullptr;
    }
    entries.insert(path, entry);
    return entry;
}

} // namespace

BrowserFactory& BrowserFactory::instance() {
    static ModuleBrowserFactory moduleFactory;
    return g_installedFactory ? *g_installedFactory : moduleFactory;
}

void BrowserFactory::install(BrowserFactory* factory) {
    g_installedFactory = factory;
}

ModuleBrowserFactory::ModuleBrowserFactory(QString modulePath)
    : m_modulePath(std::move(modulePath)) {}

QString ModuleBrowserFactory::modulePath() const {
    if (!m_modulePath.isEmpty())
        return m_modulePath;
    return privateFile(QStringLiteral("libvelmora_browser.so"));
}

void ModuleBrowserFactory::prepareAhead() {
    if (g_preparationStarted || !QCoreApplication::instance())
        return;
    g_preparationStarted = true;
    // Loading the GL driver and the web engine's libraries takes a good part
    // of the first browser's time; the user's next click can overlap it.
    // Failures are left to create(), which tries again and reports.
    g_preparation = QThread::create([path = modulePath()] {
        if (GlShareContext::ensure())
            QLibrary(path).load();
    });
    qAddPostRoutine(finishPreparation);
    g_preparation->start();
}

Browser* ModuleBrowserFactory::create(QWidget* parent, const QString& name, QString* error) {
    g_preparationStarted = true;
    finishPreparation();
    // The share context comes before the web engine, which looks for it as
    // it loads; made this way, after the application, Qt has nothing to warn
    // about (setting the start-up attribute now would only print a warning).
    if (!GlShareContext::ensure(error))
        return nullptr;
    const CreateBrowser entry = moduleEntry(modulePath(), error);
    if (!entry)
        return nullptr;
    Browser* browser = entry(parent);
    if (!browser) {
        if (error)
            *error = QStringLiteral("the browser module found no GL share context");
        return nullptr;
    }
    browser->widget()->setObjectName(name);
    return browser;
}

} // namespace velmora
