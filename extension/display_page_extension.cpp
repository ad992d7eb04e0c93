#include "display_page_extension.h"

#include "com_guard.h"
#include "devices_page.h"
#include "display_panel_contract.h"
#include "extension_app.h"
#include "information_page.h"
#include "resource_ids.h"
#include "stg_medium.h"

namespace {

// The device the control panel shows when it names none.
constexpr char kDefaultDeviceName[] = "DISPLAY";

// Whether the device belongs to the adapter: the hardware service selects it
// by name and reads the adapter's state for it.
bool IsAdapterDisplay(CHardware& hardware, const std::string& deviceName)
{
    return AfxRunQuietly([&] {
        hardware.SelectDisplayByName(deviceName.c_str());
        hardware.Refresh();
    });
}

} // namespace

std::string ReadDisplayDeviceName(IDataObject* data)
{
    FORMATETC format = {};
    format.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(displaypanel::kDisplayDeviceFormat));
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_HGLOBAL;
    CStgMedium medium;
    if (FAILED(data->GetData(&format, medium.Receive())))
        return std::string();
    // Only the medium asked for is read; any other is given back untouched.
    if (medium.Get().tymed != TYMED_HGLOBAL || !medium.Get().hGlobal)
        return std::string();
    CGlobalLock lock(medium.Get().hGlobal);
    // The memory comes from another module: read no further than it goes,
    // with or without a terminator.
    const auto* text = static_cast<const wchar_t*>(lock.Data());
    const size_t units = GlobalSize(medium.Get().hGlobal) / sizeof(wchar_t);
    size_t length = 0;
    while (text && length < units && text[length])
        ++length;
    return NarrowToAnsi(text, length);
}

CDisplayPageExtension::CDisplayPageExtension() : m_deviceName(kDefaultDeviceName)
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
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CDisplayPageExtension::Release()
{
    const ULONG left = static_cast<ULONG>(InterlockedDecrement(&m_references));
    if (left == 0)
        delete this;
    return left;
}

// Every call starts from "DISPLAY": a second Initialize without a name must
// not keep the device of the first.
STDMETHODIMP CDisplayPageExtension::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY)
{
    return ComGuarded([&] {
        m_deviceName = kDefaultDeviceName;
        if (data) {
            const std::string name = ReadDisplayDeviceName(data);
            if (!name.empty())
                m_deviceName = name;
        }
        return S_OK;
    });
}

STDMETHODIMP CDisplayPageExtension::AddPages(LPFNADDPROPSHEETPAGE addPage, LPARAM lParam)
{
    return ComGuarded([&] {
        CExtensionApp& app = TheExtensionApp();
        if (!app.Start()) {
            app.ReportStartProblem();
            return S_OK;
        }
        // The tray program keeps the hot keys and the power source going
        // for whoever uses the extension.
        app.Hardware()->Settings()->StartTrayProgram();
        if (!addPage || !IsAdapterDisplay(*app.Hardware(), m_deviceName))
            return S_OK;
        // Each page belongs to its handle from here on: a page the sheet
        // refuses is released at once and deletes itself.
        (new CInfoPage(m_deviceName))->AddToSheet(IDS_INFO_PAGE_TITLE, addPage, lParam);
        (new CDispCtrl(m_deviceName))->AddToSheet(IDS_DEVICES_PAGE_TITLE, addPage, lParam);
        return S_OK;
    });
}

STDMETHODIMP CDisplayPageExtension::ReplacePage(EXPPS, LPFNSVADDPROPSHEETPAGE, LPARAM)
{
    return E_FAIL;
}
