#pragma once

#include <QString>

class QWidget;

namespace velmora {

class Browser;

/// Creates embedded web browsers.  The program's backend loads the browser
/// module by name on first use, so that a run that never shows a web page
/// never loads the web engine; tests install their own factory.
class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;

    /// A new browser as a hidden child of `parent`, named `name`; null when
    /// it cannot be created, with the reason in `error`.
    virtual Browser* create(QWidget* parent, const QString& name, QString* error = nullptr) = 0;

    /// The factory in use (the module backend unless one is installed).
    static BrowserFactory& instance();
    /// Installs `factory` (not owned); null puts the module backend back.
    static void install(BrowserFactory* factory);

    /// Sets what the web engine needs to be set before the application
    /// object is created (call it first thing in main()).
    static void prepareApplication();
};

/// The backend that loads the browser module: the file `modulePath`, or
/// libvelmora_browser.so beside the program when it is empty.  A module
/// that fails to load once is tried again on the next creation.
class ModuleBrowserFactory : public BrowserFactory {
public:
    explicit ModuleBrowserFactory(QString modulePath = {});
    Browser* create(QWidget* parent, const QString& name, QString* error = nullptr) override;

    /// The module file this factory loads.
    QString modulePath() const;

private:
    QString m_modulePath;
};

} // namespace velmora
