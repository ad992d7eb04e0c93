// VQXPage.dll as a COM server, talked to as the shell talks to it: its
// class object, its extension object's two interfaces and their one count,
// the adapter check before any page is made, and how long the library must
// stay loaded.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "display_device_data.h"
#include "extension_registration.h"
#include "extension_ids.h"
#include "handles.h"
#include "simulated_adapter.h"
#include "test_support.h"

namespace {

// A device of another vendor beside the adapter's own.
const char kForeignDevice[] =
    "[Adapter0]\n"
    "[Device0]\n"
    "Name=\\\\.\\DISPLAY1\n"
    "[Device1]\n"
    "Name=\\\\.\\DISPLAY2\n"
    "Adapter=none\n"
    "DeviceId=PCI\\VEN_1002&DEV_4C59&SUBSYS_00000000&REV_00\n"
    "DeviceString=Another Adapter\n";

using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(WINAPI*)();

// What an AddPages call offered, and what the test's callback answered.
struct OfferedPages {
    std::vector<HPROPSHEETPAGE> taken;
    int offered = 0;
    int refuseFirst = 0;  // how many of the first offers to refuse

    static BOOL CALLBACK Add(HPROPSHEETPAGE page, LPARAM self)
    {
        auto& pages = *reinterpret_cast<OfferedPages*>(self);
        if (pages.offered++ < pages.refuseFirst)
            return FALSE;
        pages.taken.push_back(page);
        return TRUE;
    }
    ~OfferedPages()
    {
        for (HPROPSHEETPAGE page : taken)
            DestroyPropertySheetPage(page);
    }
};

} // namespace

class ExtensionServer : public SimulatedAdapter {
protected:
    void SetUp() override
    {
        SimulatedAdapter::SetUp();
        CoInitialize(nullptr);
        // A window of the tray program's class: the extension then starts
        // no tray program of its own.
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VQXTray";
        RegisterClassA(&wc);
        m_tray = CreateWindowExA(0, "VQXTray", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    }
    void TearDown() override
    {
        m_library.Reset();
        DestroyWindow(m_tray);
        CoUninitialize();
        SimulatedAdapter::TearDown();
    }

    bool LoadExtension()
    {
        m_library.Reset(LoadLibraryA("VQXPage.dll"));
        return static_cast<bool>(m_library);
    }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const
    {
        return GetProcAddressAs<GetClassObjectFunction>(m_library, "DllGetClassObject")(clsid, iid, object);
    }
    HRESULT CanUnloadNow() const { return GetProcAddressAs<CanUnloadNowFunction>(m_library, "DllCanUnloadNow")(); }

    CComPtr<IClassFactory> Factory() const
    {
        CComPtr<IClassFactory> factory;
        EXPECT_EQ(GetClassObject(kExtensionClassId, IID_IClassFactory, reinterpret_cast<void**>(factory.Receive())), S_OK);
        return factory;
    }
    CComPtr<IShellExtInit> Extension() const
    {
        CComPtr<IShellExtInit> init;
        CComPtr<IClassFactory> factory = Factory();
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(init.Receive())), S_OK);
        }
        return init;
    }
    // Initialize with `deviceName` (none: no data object), then AddPages.
    void AddPages(const char* deviceName, OfferedPages& pages) const
    {
        CComPtr<IShellExtInit> init = Extension();
        ASSERT_TRUE(init);
        CComPtr<IDataObject> data;
        if (deviceName)
            data = CDisplayDeviceDataObject::Create(std::string(deviceName));
        EXPECT_EQ(init->Initialize(nullptr, data.Get(), nullptr), S_OK);
        CComPtr<IShellPropSheetExt> sheetExt;
        ASSERT_EQ(init->QueryInterface(IID_IShellPropSheetExt, reinterpret_cast<void**>(sheetExt.Receive())), S_OK);
        EXPECT_EQ(sheetExt->AddPages(&OfferedPages::Add, reinterpret_cast<LPARAM>(&pages)), S_OK);
    }

private:
    CModule m_library;
    HWND m_tray = nullptr;
};

TEST_F(ExtensionServer, HandsOutItsClassObjectOnlyForItsClassId)
{
    ASSERT_TRUE(LoadExtension());
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(GetClassObject(IID_IUnknown, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CanUnloadNow(), S_OK);

    CComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a class factory lives";
    EXPECT_EQ(factory->LockServer(TRUE), E_NOTIMPL);
    void* aggregated = reinterpret_cast<void*>(1);
    IUnknown* outer = factory.Get();
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregated, nullptr);
    factory.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK) << "the lock was not counted, and nothing was made";
}

TEST_F(ExtensionServer, TheTwoInterfacesShareOneCount)
{
    ASSERT_TRUE(LoadExtension());
    CComPtr<IShellExtInit> init = Extension();
    ASSERT_TRUE(init);
    IUnknown* identity = nullptr;
    IShellPropSheetExt* sheetExt = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    ASSERT_EQ(init->QueryInterface(IID_IShellPropSheetExt, reinterpret_cast<void**>(&sheetExt)), S_OK);
    EXPECT_EQ(static_cast<void*>(identity), static_cast<void*>(sheetExt));
    EXPECT_NE(static_cast<void*>(identity), static_cast<void*>(init.Get()));
    EXPECT_EQ(sheetExt->ReplacePage(0, nullptr, 0), E_FAIL);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(init->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);

    // Three references now (init, identity, sheetExt), whichever interface holds them.
    EXPECT_EQ(identity->Release(), 2u);
    EXPECT_EQ(init->AddRef(), 3u);
    EXPECT_EQ(sheetExt->Release(), 2u);
    init->Release();
    init.Reset();
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST_F(ExtensionServer, OnlyDisplaysOfTheAdapterGetPages)
{
    Load(kForeignDevice);
    ASSERT_TRUE(LoadExtension());
    OfferedPages own, foreign, unknown, unnamed;
    AddPages("\\\\.\\DISPLAY1", own);
    AddPages("\\\\.\\DISPLAY2", foreign);
    AddPages("\\\\.\\DISPLAY9", unknown);
    AddPages(nullptr, unnamed);  // the device stays "DISPLAY", which no record bears
    EXPECT_EQ(own.offered, 2);
    EXPECT_EQ(foreign.offered, 0);
    EXPECT_EQ(unknown.offered, 0);
    EXPECT_EQ(unnamed.offered, 0);
}

// The pages count as live objects of the library until the sheet has let
// go of them (Wine ignores the pages' reference parent).
TEST_F(ExtensionServer, TheLibraryStaysWhilePagesLiveAndARefusedPageIsReleased)
{
    ASSERT_TRUE(LoadExtension());
    {
        OfferedPages pages;
        pages.refuseFirst = 1;
        AddPages("\\\\.\\DISPLAY1", pages);
        EXPECT_EQ(pages.offered, 2) << "the second page is offered after the first was refused";
        ASSERT_EQ(pages.taken.size(), 1u);
        EXPECT_EQ(CanUnloadNow(), S_FALSE) << "the page taken lives";
    }
    EXPECT_EQ(CanUnloadNow(), S_OK) << "both pages released";

    OfferedPages shown;
    AddPages("\\\\.\\DISPLAY1", shown);
    ASSERT_EQ(shown.taken.size(), 2u);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = "Display Properties";
    header.nPages = static_cast<UINT>(shown.taken.size());
    header.phpage = shown.taken.data();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    ASSERT_TRUE(sheet);
    shown.taken.clear();  // the sheet owns them now
    testsupport::PumpMessages(100);
    EXPECT_EQ(Hardware()->GetHeader(TRUE)->pagesOpen, 1);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);
    DestroyWindow(sheet);
    testsupport::PumpMessages(100);
    EXPECT_EQ(Hardware()->GetHeader(TRUE)->pagesOpen, 0);
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

// Created through COM as the shell creates it, the library is unloaded by
// CoFreeUnusedLibraries once the sheet has let go of its pages, and not
// before.
TEST_F(ExtensionServer, CoFreeUnusedLibrariesUnloadsItOnlyAfterTheSheet)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string folder = self;
    folder.erase(folder.find_last_of("\\/"));
    const displaypanel::HandlerRegistration registration = displaypanel::ProductRegistration(folder);
    ASSERT_EQ(displaypanel::RegisterHandler(registration), ERROR_SUCCESS);

    OfferedPages pages;
    {
        CComPtr<IShellExtInit> init;
        ASSERT_EQ(CoCreateInstance(kExtensionClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   reinterpret_cast<void**>(init.Receive())), S_OK);
        CComPtr<IDataObject> data = CDisplayDeviceDataObject::Create(std::string("\\\\.\\DISPLAY1"));
        ASSERT_EQ(init->Initialize(nullptr, data.Get(), nullptr), S_OK);
        CComPtr<IShellPropSheetExt> sheetExt;
        ASSERT_EQ(init->QueryInterface(IID_IShellPropSheetExt, reinterpret_cast<void**>(sheetExt.Receive())), S_OK);
        ASSERT_EQ(sheetExt->AddPages(&OfferedPages::Add, reinterpret_cast<LPARAM>(&pages)), S_OK);
    }
    ASSERT_EQ(pages.taken.size(), 2u);
    CoFreeUnusedLibraries();
    EXPECT_NE(GetModuleHandleA("VQXPage.dll"), nullptr) << "its pages still live";

    for (HPROPSHEETPAGE page : pages.taken)
        DestroyPropertySheetPage(page);
    pages.taken.clear();
    CoFreeUnusedLibraries();
    EXPECT_EQ(GetModuleHandleA("VQXPage.dll"), nullptr);
    displaypanel::UnregisterHandler(registration);
}

// Without its resource library the extension does not load, and says
// nothing.  Tried in a process of its own: this one has the library loaded.
TEST_F(ExtensionServer, DoesNotLoadWithoutTheResourceLibrary)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    const std::string folder = std::string(temp) + "vqx-page-no-resources\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string here = self;
    here.erase(here.find_last_of("\\/") + 1);
    for (const char* file : { "extension_load_probe.exe", "VQXPage.dll", "VQXAPI.dll", "VQXSIM.DLL", "libgcc_s_dw2-1.dll",
                              "libstdc++-6.dll", "libwinpthread-1.dll" })
        ASSERT_TRUE(CopyFileA((here + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    testsupport::Program probe("\"" + folder + "extension_load_probe.exe\"");
    ASSERT_TRUE(probe.Started());
    EXPECT_EQ(probe.Wait(), 1u) << "the library refused to load";
    EXPECT_EQ(testsupport::WaitForDialog("VQXPAGE", 500), nullptr);
}
