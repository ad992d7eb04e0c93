// The library's two exports: the class object of the extension, and whether
// the library may be unloaded.
#include <windows.h>
#include <unknwn.h>

#include "class_factory.h"
#include "com_guard.h"
#include "extension_app.h"
#include "extension_ids.h"

// The extension starts here, outside the loader lock.  A class object is
// handed out also when it could not start: its extension objects then add
// no page and say once why.
extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(rclsid, kExtensionClassId))
        return CLASS_E_CLASSNOTAVAILABLE;
    return ComGuarded([&] {
        TheExtensionApp().Start();
        return CreateComObject<CDisplayPageClassFactory>(riid, object);
    });
}

// With no object left the extension gives back its services and resource
// library now: the control panel unloads it next, and the loader lock of
// that unload is no place for it.
extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    if (ModuleObjectCount() != 0)
        return S_FALSE;
    ComGuarded([] {
        TheExtensionApp().Stop();
        return S_OK;
    });
    return S_OK;
}
