#include "display_properties.h"

#include <commctrl.h>
#include <prsht.h>

#include "com_initialization.h"
#include "display_device_data.h"
#include "display_panel_contract.h"
#include "property_sheet_handlers.h"

namespace displaypanel {

namespace {

// Loads the handlers and shows their pages; every COM object it made is
// gone when it returns.
INT_PTR RunSheet(HWND owner, const std::wstring& deviceName, const char* handlersKey)
{
    CComPtr<IDataObject> data = CDisplayDeviceDataObject::Create(deviceName);
    CPropertySheetPages pages;
    LoadPropertySheetHandlers(data.Get(), pages, handlersKey);
    if (pages.Count() == 0) {
        MessageBoxA(owner, "No display property pages are installed.", kSheetCaption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }

    PROPSHEETHEADERA header = {};
    // The first header layout: nothing newer is used, and the common
    // controls of the 95 family know no other.
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_DEFAULT;
    header.hwndParent = owner;
    header.pszCaption = kSheetCaption;
    header.nPages = static_cast<UINT>(pages.Count());
    header.phpage = pages.Data();
    pages.HandOver();  // PropertySheetA destroys the pages it is given
    return PropertySheetA(&header);
}

} // namespace

INT_PTR ShowDisplayProperties(HWND owner, const std::wstring& deviceName, const char* handlersKey)
{
    CComInitialization com;
    if (!com)
        return 0;
    const INT_PTR result = RunSheet(owner, deviceName, handlersKey);
    // Only now, with the sheet closed and its pages destroyed: an extension
    // whose objects are all gone is unloaded here.  Earlier it could unload
    // under a page the sheet still shows (the reference-parent counter of
    // the sheet is not maintained by every system).
    CoFreeUnusedLibraries();
    return result;
}

} // namespace displaypanel
