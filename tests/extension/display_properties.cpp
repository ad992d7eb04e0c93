#include "display_properties.h"

#include <commctrl.h>

#include "com_ptr.h"
#include "display_device_data.h"
#include "extension_ids.h"
#include "procaddress.h"

namespace extensiontest {

HRESULT InitializeFor(IShellExtInit& init, const char* deviceName)
{
    CComPtr<IDataObject> data;
    if (deviceName)
        data = CDisplayDeviceDataObject::Create(std::string(deviceName));
    return init.Initialize(nullptr, data.Get(), nullptr);
}

HRESULT AddPagesOf(IShellExtInit& init, LPFNADDPROPSHEETPAGE addPage, LPARAM lParam)
{
    CComPtr<IShellPropSheetExt> extension;
    if (FAILED(init.QueryInterface(IID_IShellPropSheetExt, extension.ReceiveVoid())) || !extension)
        return E_NOINTERFACE;
    return extension->AddPages(addPage, lParam);
}

HRESULT InitializeAndAddPages(IShellExtInit& init, const std::string& deviceName, LPFNADDPROPSHEETPAGE addPage,
                              LPARAM lParam)
{
    const CComPtr<IDataObject> data = CDisplayDeviceDataObject::Create(deviceName);
    const HRESULT result = init.Initialize(nullptr, data.Get(), nullptr);
    if (FAILED(result))
        return result;
    return AddPagesOf(init, addPage, lParam);
}

ExtensionLibrary::ExtensionLibrary() : m_library(LoadLibraryA(kExtensionFileName)) {}

HRESULT ExtensionLibrary::AddPages(const std::string& deviceName, CPropertySheetPages& pages) const
{
    using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    const auto getClassObject = GetProcAddressAs<GetClassObjectFunction>(m_library.Get(), "DllGetClassObject");
    if (!getClassObject)
        return E_NOTIMPL;
    CComPtr<IClassFactory> factory;
    HRESULT result = getClassObject(kExtensionClassId, IID_IClassFactory, factory.ReceiveVoid());
    if (FAILED(result))
        return result;
    CComPtr<IShellExtInit> init;
    result = factory->CreateInstance(nullptr, IID_IShellExtInit, init.ReceiveVoid());
    if (FAILED(result))
        return result;
    return InitializeAndAddPages(*init.Get(), deviceName, &CPropertySheetPages::AddPageCallback,
                                 reinterpret_cast<LPARAM>(&pages));
}

HRESULT ExtensionLibrary::CanUnloadNow() const
{
    using CanUnloadNowFunction = HRESULT(WINAPI*)();
    const auto canUnloadNow = GetProcAddressAs<CanUnloadNowFunction>(m_library.Get(), "DllCanUnloadNow");
    return canUnloadNow ? canUnloadNow() : E_NOTIMPL;
}

DisplayPropertiesSheet::DisplayPropertiesSheet(const std::string& caption, CPropertySheetPages& pages)
{
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.Count());
    header.phpage = pages.Data();
    pages.HandOver();
    m_sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (m_sheet == reinterpret_cast<HWND>(-1))
        m_sheet = nullptr;
}

HWND DisplayPropertiesSheet::Select(int index) const
{
    SendMessageA(m_sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return CurrentPage();
}

HWND DisplayPropertiesSheet::CurrentPage() const
{
    return reinterpret_cast<HWND>(SendMessageA(m_sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void DisplayPropertiesSheet::Close()
{
    if (!m_sheet)
        return;
    SendMessageA(m_sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    DestroyWindow(m_sheet);
    m_sheet = nullptr;
}

} // namespace extensiontest
