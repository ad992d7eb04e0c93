// The fake property-sheet extension of the host tests (see
// fake_extension.h).
#include "fake_extension.h"

#include <windows.h>
#include <objidl.h>
#include <prsht.h>
#include <shlobj.h>

#include <commctrl.h>

#include <cwchar>
#include <new>
#include <stdexcept>
#include <string>

#include "display_panel_contract.h"

namespace {

HINSTANCE g_module = nullptr;
LONG g_objects = 0;
std::wstring g_deviceName;
LONG g_pagesCreated = 0;
LONG g_pagesReleased = 0;

void LockModule() { InterlockedIncrement(&g_objects); }
void UnlockModule() { InterlockedDecrement(&g_objects); }

CLSID FakeClassId()
{
    CLSID id = {};
    std::wstring text(kFakeExtensionClassId, kFakeExtensionClassId + sizeof(kFakeExtensionClassId) - 1);
    CLSIDFromString(const_cast<LPOLESTR>(text.c_str()), &id);
    return id;
}

// The page lives as long as the sheet holds its handle: counted from its
// creation to PSPCB_RELEASE.
UINT CALLBACK PageCallback(HWND, UINT message, PROPSHEETPAGEA*)
{
    if (message == PSPCB_RELEASE) {
        InterlockedIncrement(&g_pagesReleased);
        UnlockModule();
    }
    return 1;
}

// Shows the device name it was given, for tests in another process.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    SetDlgItemTextW(page, FAKE_PAGE_DEVICE_ID, g_deviceName.c_str());
    return TRUE;
}

class CFakeExtension final : public IShellExtInit, public IShellPropSheetExt {
public:
    CFakeExtension() { LockModule(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellExtInit))
            *object = static_cast<IShellExtInit*>(this);
        else if (IsEqualIID(iid, IID_IShellPropSheetExt))
            *object = static_cast<IShellPropSheetExt*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_references); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return left;
    }

    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY handlerKey) override
    {
        m_behaviour = Behaviour(handlerKey);
        if (m_behaviour == kFakeFailInitialize)
            return E_FAIL;
        if (m_behaviour == kFakeThrowInInitialize)
            throw std::runtime_error("fake extension: Initialize");
        g_deviceName.clear();
        const auto deviceFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(displaypanel::kDisplayDeviceFormat));
        FORMATETC format = { deviceFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
        STGMEDIUM medium = {};
        if (!data || FAILED(data->GetData(&format, &medium)))
            return E_FAIL;
        if (const auto* name = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
            g_deviceName = name;
            GlobalUnlock(medium.hGlobal);
        }
        ReleaseStgMedium(&medium);
        return S_OK;
    }

    STDMETHODIMP AddPages(LPFNADDPROPSHEETPAGE addPage, LPARAM lParam) override
    {
        if (m_behaviour == kFakeThrowInAddPages)
            throw std::runtime_error("fake extension: AddPages");
        const HRESULT added = AddPage(addPage, lParam);
        if (FAILED(added))
            return added;
        if (m_behaviour == kFakeAddThenFail)
            return E_FAIL;
        if (m_behaviour == kFakeAddThenThrow)
            throw std::runtime_error("fake extension: after adding its page");
        return S_OK;
    }

    STDMETHODIMP ReplacePage(EXPPS, LPFNSVADDPROPSHEETPAGE, LPARAM) override { return E_NOTIMPL; }

private:
    ~CFakeExtension() { UnlockModule(); }

    // The misbehaviour the handler's key asks for ("" for none).
    static std::string Behaviour(HKEY handlerKey)
    {
        char value[64] = "";
        DWORD size = sizeof(value) - 1;
        DWORD type = 0;
        if (!handlerKey ||
            RegQueryValueExA(handlerKey, kFakeBehaviourValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return "";
        value[size] = '\0';
        return value;
    }

    // Creates the one page and hands it to the sheet (or destroys it when
    // the sheet refuses it).
    HRESULT AddPage(LPFNADDPROPSHEETPAGE addPage, LPARAM lParam)
    {
        PROPSHEETPAGEA page = { sizeof(page) };
        page.dwFlags = PSP_USECALLBACK;
        page.hInstance = g_module;
        page.pszTemplate = MAKEINTRESOURCEA(FAKE_PAGE_TEMPLATE);
        page.pfnDlgProc = PageProc;
        page.pfnCallback = PageCallback;
        LockModule();
        HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page);
        if (!handle) {
            UnlockModule();
            return E_OUTOFMEMORY;
        }
        InterlockedIncrement(&g_pagesCreated);
        if (!addPage(handle, lParam))
            DestroyPropertySheetPage(handle);  // PSPCB_RELEASE unlocks
        return S_OK;
    }

    LONG m_references = 1;
    std::string m_behaviour;
};

// One static factory; its references count as live objects.
class CFakeFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { LockModule(); return 2; }
    STDMETHODIMP_(ULONG) Release() override { UnlockModule(); return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CFakeExtension* extension = new (std::nothrow) CFakeExtension;
        if (!extension)
            return E_OUTOFMEMORY;
        const HRESULT result = extension->QueryInterface(iid, object);
        extension->Release();
        return result;
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }
};

CFakeFactory g_factory;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, FakeClassId()))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_objects == 0 ? S_OK : S_FALSE;
}

extern "C" LONG WINAPI FakeExtensionObjectCount()
{
    return g_objects;
}

extern "C" void WINAPI FakeExtensionDeviceName(wchar_t* name, int capacity)
{
    if (capacity <= 0)
        return;
    lstrcpynW(name, g_deviceName.c_str(), capacity);
}

extern "C" void WINAPI FakeExtensionPageCounts(LONG* created, LONG* released)
{
    *created = g_pagesCreated;
    *released = g_pagesReleased;
}
