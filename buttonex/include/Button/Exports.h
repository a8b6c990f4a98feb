#pragma once

// The entry points of an in-process control server.  Results follow the
// HRESULT habit: 0 success, 1 "false", negative failure.

#define VELMORA_S_OK 0L
#define VELMORA_S_FALSE 1L
#define VELMORA_E_FAIL (-2147467259L)                    /* 0x80004005 */
#define VELMORA_CLASS_E_CLASSNOTAVAILABLE (-2147221231L) /* 0x80040111 */
#define VELMORA_E_POINTER (-2147467261L)                 /* 0x80004003 */

#ifdef __cplusplus
extern "C" {
#endif

/// 0 when no instance and no server lock is alive, 1 otherwise.
long DllCanUnloadNow(void);
/// 0 and a velmora::ClassFactory* in *factory for "Button.ButtonEx";
/// a negative value and null for any other class name.
long DllGetClassObject(const char* progId, void** factory);
/// Records "Button.ButtonEx" with this library's path in the per-user
/// control registry; 0 on success.
long DllRegisterServer(void);
/// Removes this library's classes from the per-user control registry.
long DllUnregisterServer(void);

#ifdef __cplusplus
}
#endif
