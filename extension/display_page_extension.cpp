#include "display_page_extension.h"

#include "com_guard.h"
#include "devices_page.h"
#include "display_panel_contract.h"
#include "extension_app.h"
#include "information_page.h"
#include "resource_ids.h"

namespace {

// The device the control panel shows when it names none.
constexpr char kDefaultDeviceName[] = "DISPLAY";

// Whether the device belongs to the adapter: the hardware service selects it
// by name and reads the adapter's state for it.
bool IsAdapterDisplay(CHardware& hardware, const std::string& deviceName)
{
    try {
        hardware.SelectDisplayByName(deviceName.c_str());
        hardware.Refresh();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return false;
}

} // namespace

std::string ReadDisplayDeviceName(IDataObject* data)
{
    FORMATETC format = {};
    format.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(displaypanel::kDisplayDeviceFormat));
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium)) || !medium.hGlobal)
        return std::string();
    std::string name;
    {
        CGlobalLock lock(medium.hGlobal);
        // The memory comes from another module: read no further than it goes,
        // with or without a terminator.
        const auto* text = static_cast<const wchar_t*>(lock.Data());
        const size_t units = GlobalSize(medium.hGlobal) / sizeof(wchar_t);
        size_t length = 0;
        while (text && length < units && text[length])
            ++length;
        if (length > 0) {
            const int bytes = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
            name.resize(static_cast<size_t>(bytes));
            WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &name[0], bytes, nullptr, nullptr);
        }
    }
    // Freed here, as the panel expects of its extensions.
    GlobalFree(medium.hGlobal);
    return name;
}

CDisplayPageExtension::CDisplayPageExtension()
{
    LockModule();
}

CDisplayPageExtension::~CDisplayPageExtension()
{
    UnlockModule();
}

STDMETHODIMP CDisplayPageExtension::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellPropSheetExt)) {
        *object = static_cast<IShellPropSheetExt*>(this);
    } else if (IsEqualIID(riid, IID_IShellExtInit)) {
        *object = static_cast<IShellExtInit*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CDisplayPageExtension::AddRef()
{
    return ++m_references;
}

STDMETHODIMP_(ULONG) CDisplayPageExtension::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP CDisplayPageExtension::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY)
{
    ComGuarded([&] {
        CExtensionApp& app = TheExtensionApp();
        app.m_displayDeviceName = kDefaultDeviceName;
        if (data) {
            const std::string name = ReadDisplayDeviceName(data);
            if (!name.empty())
                app.m_displayDeviceName = name;
        }
        return S_OK;
    });
    return S_OK;
}

STDMETHODIMP CDisplayPageExtension::AddPages(LPFNADDPROPSHEETPAGE addPage, LPARAM lParam)
{
    ComGuarded([&] {
        CExtensionApp& app = TheExtensionApp();
        if (!addPage || !IsAdapterDisplay(*app.m_pHardware, app.m_displayDeviceName))
            return S_OK;
        // Each page is known to the module before it is offered: a page the
        // sheet refuses is released at once and forgets itself.
        app.m_pInfoPage = new CInfoPage;
        app.m_pInfoPage->AddToSheet(IDS_INFO_PAGE_TITLE, addPage, lParam);
        app.m_pDispCtrl = new CDispCtrl;
        app.m_pDispCtrl->AddToSheet(IDS_DEVICES_PAGE_TITLE, addPage, lParam);
        return S_OK;
    });
    return S_OK;
}

STDMETHODIMP CDisplayPageExtension::ReplacePage(EXPPS, LPFNSVADDPROPSHEETPAGE, LPARAM)
{
    return E_FAIL;
}
