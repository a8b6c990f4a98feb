#pragma once

class QString;
class QUrl;
class QWidget;

namespace velmora {

/// An embedded web browser, as the browser module creates it.  The browser
/// is its widget: deleting the widget (or its parent) deletes the browser.
/// The widget also emits loadFinished(bool) when a page has loaded.
class Browser {
public:
    virtual QWidget* widget() = 0;
    virtual void navigate(const QUrl& address) = 0;
    virtual void stop() = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    /// The address shown now and the title of its page.
    virtual QUrl address() const = 0;
    virtual QString title() const = 0;

protected:
    virtual ~Browser() = default;
};

} // namespace velmora
