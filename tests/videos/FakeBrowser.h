#pragma once

#include "platform/Browser.h"
#include "platform/BrowserFactory.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

namespace velmora::test {

/// A browser that only records where it was sent.
class FakeBrowser : public QWidget, public Browser {
public:
    using QWidget::QWidget;
    QWidget* widget() override { return this; }
    void navigate(const QUrl& address) override { navigations << address; }
    void stop() override {}
    void goBack() override {}
    void goForward() override {}
    QUrl address() const override { return navigations.isEmpty() ? QUrl() : navigations.last(); }
    QString title() const override { return {}; }

    QList<QUrl> navigations;
};

/// Hands out FakeBrowsers and keeps track of them; installs itself for its
/// lifetime.
class FakeBrowserFactory : public BrowserFactory {
public:
    FakeBrowserFactory() { install(this); }
    ~FakeBrowserFactory() override { install(nullptr); }

    Browser* create(QWidget* parent, const QString& name, QString* error) override {
        Q_UNUSED(error);
        auto* browser = new FakeBrowser(parent);
        browser->setObjectName(name);
        browser->hide();
        created << browser;
        return browser;
    }

    /// Every browser created, null once it has been deleted.
    QList<QPointer<FakeBrowser>> created;
};

} // namespace velmora::test
