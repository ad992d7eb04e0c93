// The library's two exports: the class object of the extension, and whether
// the library may be unloaded.
#include <windows.h>
#include <unknwn.h>

#include <new>

#include "class_factory.h"
#include "extension_app.h"
#include "extension_ids.h"

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(rclsid, kExtensionClassId))
        return CLASS_E_CLASSNOTAVAILABLE;
    CDisplayPageClassFactory* factory = new (std::nothrow) CDisplayPageClassFactory;
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();  // the caller's reference, if any, is the only one
    return result;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return ModuleObjectCount() == 0 ? S_OK : S_FALSE;
}
