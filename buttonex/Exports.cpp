#include "ButtonExFactory.h"
#include "core/ServerCounts.h"

#include <Button/ControlRegistry.h>
#include <Button/Exports.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cstring>
#include <dlfcn.h>

#define VELMORA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using velmora::ButtonExFactory;

const QString kPathKey = QStringLiteral("%1/Path").arg(QLatin1String(ButtonExFactory::kProgId));

// The absolute path of this library file, wherever the host loaded it from.
QString libraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&DllRegisterServer), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

long finish(QSettings& registry) {
    registry.sync();
    return registry.status() == QSettings::NoError ? VELMORA_S_OK : VELMORA_E_FAIL;
}

} // namespace

VELMORA_EXPORT long DllCanUnloadNow(void) {
    return velmora::ServerCounts::canUnload() ? VELMORA_S_OK : VELMORA_S_FALSE;
}

VELMORA_EXPORT long DllGetClassObject(const char* progId, void** factory) {
    if (!factory)
        return VELMORA_E_POINTER;
    *factory = nullptr;
    if (!progId || std::strcmp(progId, ButtonExFactory::kProgId) != 0)
        return VELMORA_CLASS_E_CLASSNOTAVAILABLE;
    *factory = static_cast<velmora::ClassFactory*>(&ButtonExFactory::instance());
    return VELMORA_S_OK;
}

VELMORA_EXPORT long DllRegisterServer(void) {
    const QString path = libraryPath();
    const QString file = velmora::controlRegistryFile();
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(file).absolutePath()))
        return VELMORA_E_FAIL;
    QSettings registry(file, QSettings::IniFormat);
    registry.setValue(kPathKey, path);
    return finish(registry);
}

VELMORA_EXPORT long DllUnregisterServer(void) {
    const QString file = velmora::controlRegistryFile();
    if (!QFileInfo::exists(file))
        return VELMORA_S_OK;
    QSettings registry(file, QSettings::IniFormat);
    // Another copy of the library registered since must keep its entry.
    if (registry.value(kPathKey).toString() != libraryPath())
        return VELMORA_S_OK;
    registry.remove(QLatin1String(ButtonExFactory::kProgId));
    return finish(registry);
}
