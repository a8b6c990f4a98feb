#include "ControlHost.h"

#include "HostSite.h"
#include "ProgramFolders.h"
#include "Twips.h"

#include <Button/ClassFactory.h>
#include <Button/ControlRegistry.h>
#include <Button/Exports.h>
#include <Button/PersistentControl.h>
#include <Button/PropertyBag.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QSettings>
#include <QWidget>
#include <cmath>
#include <map>
#include <memory>

namespace velmora {

namespace {

using GetClassObject = long (*)(const char*, void**);

// Libraries stay loaded for the rest of the run: instances and their
// vtables live in them, and a window may create more at any time.
// (Destroying a QLibrary object does not unload its library.)
QLibrary* loadedLibrary(const QString& path, QString* error) {
    static std::map<QString, std::unique_ptr<QLibrary>> libraries;
    if (const auto known = libraries.find(path); known != libraries.end())
        return known->second.get();
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load()) {
        if (error)
            *error = library->errorString();
        return nullptr;
    }
    return libraries.emplace(path, std::move(library)).first->second.get();
}

constexpr double kHimetricPerTwip = 2540.0 / 1440.0;

} // namespace

QString ControlHost::libraryFor(const QString& progId) {
    // A window creates dozens of buttons as it loads: the registry file is
    // read again only when it has changed (a registration rewrites it).
    static QString cachedFile;
    static QDateTime cachedStamp;
    static QHash<QString, QString> registeredPaths;
    const QString file = controlRegistryFile();
    const QFileInfo info(file);
    const QDateTime stamp = info.exists() ? info.lastModified() : QDateTime();
    if (file != cachedFile || stamp != cachedStamp || !info.exists()) {
        registeredPaths.clear();
        QSettings registry(file, QSettings::IniFormat);
        for (const QString& group : registry.childGroups())
            registeredPaths.insert(group,
                                   registry.value(group + QStringLiteral("/Path")).toString());
        cachedFile = file;
        cachedStamp = stamp;
    }
    const QString registered = registeredPaths.value(progId);
    if (!registered.isEmpty() && QFileInfo::exists(registered))
        return registered;
    const QString library = progId.section(QLatin1Char('.'), 0, 0);
    if (library.isEmpty())
        return {};
    const QString local = privateFile(QStringLiteral("lib%1.so").arg(library));
    return !local.isEmpty() && QFileInfo::exists(local) ? local : QString();
}

QWidget* ControlHost::create(const QString& progId, QWidget* parent, const PropertyBag* bag,
                             QString* error) {
    const QString path = libraryFor(progId);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("no library serves %1").arg(progId);
        return nullptr;
    }
    QLibrary* library = loadedLibrary(path, error);
    if (!library)
        return nullptr;
    auto getClassObject = reinterpret_cast<GetClassObject>(library->resolve("DllGetClassObject"));
    void* raw = nullptr;
    if (!getClassObject || getClassObject(progId.toUtf8().constData(), &raw) != VELMORA_S_OK ||
        !raw) {
        if (error)
            *error = QStringLiteral("%1 does not serve %2").arg(path, progId);
        return nullptr;
    }
    auto* factory = static_cast<ClassFactory*>(raw);
    QWidget* widget = factory->createInstance(parent);
    factory->release();
    auto* control = qobject_cast<PersistentControl*>(widget);
    if (!control) {
        delete widget;
        if (error)
            *error = QStringLiteral("%1 is not a persistent control").arg(progId);
        return nullptr;
    }
    auto* site = new HostSite(widget);
    site->setObjectName(QStringLiteral("HostSite"));
    control->setSite(site);
    if (bag)
        control->readProperties(*bag);
    else
        control->initProperties();
    return widget;
}

HostSite* ControlHost::siteOf(QWidget* control) {
    return control ? control->findChild<HostSite*>(QStringLiteral("HostSite"),
                                                   Qt::FindDirectChildrenOnly)
                   : nullptr;
}

void ControlHost::save(QWidget* control, PropertyBag& bag) {
    if (auto* persistent = qobject_cast<PersistentControl*>(control))
        persistent->writeProperties(bag);
    bag.set(QStringLiteral("_extentx"), twipsToHimetric(pixelsToTwips(control->width())));
    bag.set(QStringLiteral("_extenty"), twipsToHimetric(pixelsToTwips(control->height())));
}

int ControlHost::twipsToHimetric(int twips) {
    return int(std::lround(twips * kHimetricPerTwip));
}

int ControlHost::himetricToTwips(int himetric) {
    return int(std::lround(himetric / kHimetricPerTwip));
}

} // namespace velmora
