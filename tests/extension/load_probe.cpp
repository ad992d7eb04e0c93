// Asks VQXPage.dll from the probe's own folder for its pages twice, as a
// control panel started from another folder would (the current folder is
// the system's); the exit code is the number of pages offered, or 100 when
// the library or its class object could not be had.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "extension_ids.h"

namespace {

int g_offered = 0;

BOOL CALLBACK CountPage(HPROPSHEETPAGE page, LPARAM)
{
    ++g_offered;
    DestroyPropertySheetPage(page);
    return TRUE;
}

} // namespace

int main()
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof(system));
    SetCurrentDirectoryA(system);
    CoInitialize(nullptr);
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    *strrchr(self, '\\') = '\0';
    const HMODULE library = LoadLibraryA((std::string(self) + "\\" + kExtensionFileName).c_str());
    using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    const auto getClassObject =
        library ? reinterpret_cast<GetClassObjectFunction>(GetProcAddress(library, "DllGetClassObject")) : nullptr;
    IClassFactory* factory = nullptr;
    if (!getClassObject || FAILED(getClassObject(kExtensionClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return 100;
    for (int request = 0; request < 2; ++request) {
        IShellPropSheetExt* extension = nullptr;
        if (FAILED(factory->CreateInstance(nullptr, IID_IShellPropSheetExt, reinterpret_cast<void**>(&extension))))
            return 100;
        extension->AddPages(&CountPage, 0);
        extension->Release();
    }
    factory->Release();
    return g_offered;
}
