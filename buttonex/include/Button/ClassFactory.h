#pragma once

class QWidget;

namespace velmora {

/// Creates instances of one control class.  Obtained from the library's
/// DllGetClassObject; released by the caller when it no longer needs it.
class ClassFactory {
public:
    /// A new, uninitialised instance (every property at its zero value) as a
    /// child of `parent`.  The widget implements PersistentControl.
    virtual QWidget* createInstance(QWidget* parent) = 0;
    /// Keeps the library loaded while locked, whether or not instances live.
    virtual void lockServer(bool lock) = 0;
    virtual void release() = 0;

protected:
    ~ClassFactory() = default;
};

} // namespace velmora
