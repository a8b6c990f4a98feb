#pragma once

#include <QString>

class QWidget;

namespace velmora {

class Browser;

/// Creates embedded web browsers.  The program's backend loads the browser
/// module by name on first use, so that a run that never shows a web page
/// never loads the web engine nor the GL driver; tests install their own
/// factory.
class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;

    /// A new browser as a hidden child of `parent`, named `name`; null when
    /// it cannot be created, with the reason in `error`.
    virtual Browser* create(QWidget* parent, const QString& name, QString* error = nullptr) = 0;

    /// The user is about to ask for a browser (a video was chosen): makes
    /// ready in the background what the first one needs, so that it opens
    /// sooner.  Never required; does nothing once a browser was asked for.
    virtual void prepareAhead() {}

    /// The factory in use (the module backend unless one is installed).
    static BrowserFactory& instance();
    /// Installs `factory` (not owned); null puts the module backend back.
    static void install(BrowserFactory* factory);
};

/// The backend that loads the browser module: the file `modulePath`, or
/// libvelmora_browser.so beside the program when it is empty.  Before the
/// module is loaded the GL share context the web engine needs is made; when
/// the platform gives none, creation fails and the module stays unloaded.
/// A module or context that fails once is tried again on the next creation.
/// Preparing ahead makes the context and loads the module's libraries on a
/// worker thread, once per run; creation waits for that work to end.
class ModuleBrowserFactory : public BrowserFactory {
public:
    explicit ModuleBrowserFactory(QString modulePath = {});
    Browser* create(QWidget* parent, const QString& name, QString* error = nullptr) override;
    void prepareAhead() override;

    /// The module file this factory loads.
    QString modulePath() const;

private:
    QString m_modulePath;
};

} // namespace velmora
