#pragma once

#include <QObject>
#include <QString>

namespace velmora {

class ControlSite;
class PropertyBag;

/// The lifecycle a host drives on a control it created by class name:
/// setSite, then initProperties (new) or readProperties (loaded), then
/// sizing; writeProperties when the host saves its window.
class PersistentControl {
public:
    virtual ~PersistentControl() = default;

    /// The site stays valid for the control's lifetime; null detaches.
    virtual void setSite(ControlSite* site) = 0;
    virtual void initProperties() = 0;
    virtual void readProperties(const PropertyBag& bag) = 0;
    virtual void writeProperties(PropertyBag& bag) const = 0;
    /// An ambient property of the site changed ("DisplayAsDefault", "Font", ...).
    virtual void ambientChanged(const QString& name) = 0;
};

} // namespace velmora

#define VELMORA_PERSISTENT_CONTROL_IID "org.velmora.PersistentControl/1.0"
Q_DECLARE_INTERFACE(velmora::PersistentControl, VELMORA_PERSISTENT_CONTROL_IID)
