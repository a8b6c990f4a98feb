#include "BrowserFactory.h"

#include "Browser.h"
#include "ProgramFolders.h"
#include "browser/GlShareContext.h"

#include <QHash>
#include <QLibrary>
#include <QWidget>

namespace velmora {

namespace {

using CreateBrowser = Browser* (*)(QWidget* parent);

BrowserFactory* g_installedFactory = nullptr;

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

Browser* ModuleBrowserFactory::create(QWidget* parent, const QString& name, QString* error) {
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
