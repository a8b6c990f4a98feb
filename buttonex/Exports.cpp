#include <Button/Exports.h>

#define VELMORA_EXPORT extern "C" __attribute__((visibility("default")))

VELMORA_EXPORT long DllCanUnloadNow(void) { return VELMORA_S_OK; }

VELMORA_EXPORT long DllGetClassObject(const char*, void** factory) {
    if (factory)
        *factory = nullptr;
    return VELMORA_CLASS_E_CLASSNOTAVAILABLE;
}

VELMORA_EXPORT long DllRegisterServer(void) { return VELMORA_E_FAIL; }

VELMORA_EXPORT long DllUnregisterServer(void) { return VELMORA_E_FAIL; }
