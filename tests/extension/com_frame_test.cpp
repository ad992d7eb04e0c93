// VQXPage.dll as a COM server, talked to as the shell talks to it: its
// class object, its extension object's two interfaces and their one count,
// the adapter check before any page is made, and how long the library must
// stay loaded.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "com_ptr.h"
#include "display_properties.h"
#include "extension_registration.h"
#include "extension_ids.h"
#include "handles.h"
#include "os_service.h"
#include "resource_ids.h"
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

// Two adapters of the maker with one display each and panels of two sizes.
// Two adapters of the family: told apart by their subsystems (a device id of
// its own), each with a panel of its own.
const char kTwoAdapters[] =
    "[Adapter0]\n"
    "SubsystemId=0x1043\n"
    "PanelId=2\n"
    "[Adapter1]\n"
    "SubsystemId=0x2201\n"
    "PanelId=3\n"
    "[Device0]\n"
    "Name=\\\\.\\DISPLAY1\n"
    "Adapter=0\n"
    "Primary=1\n"
    "[Device1]\n"
    "Name=\\\\.\\DISPLAY2\n"
    "Adapter=1\n";

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

// Shows the pages taken in a modeless sheet (which then owns them).
HWND ShowModeless(OfferedPages& pages)
{
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = "Display Properties";
    header.nPages = static_cast<UINT>(pages.taken.size());
    header.phpage = pages.taken.data();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (sheet && sheet != reinterpret_cast<HWND>(-1))
        pages.taken.clear();
    return sheet;
}

std::string PanelSizeText(const AdapterRecord& adapter)
{
    return std::to_string(adapter.panelWidth) + " x " + std::to_string(adapter.panelHeight);
}

// A data object that serves the device name in a medium of its own choice
// and keeps what it serves (pUnkForRelease names it): the receiver must give
// the medium back with ReleaseStgMedium, which then leaves the memory to the
// object and releases only the object's reference.  Each medium is a real
// one of its kind, as ReleaseStgMedium treats it by its kind: an HGLOBAL, a
// stream, or a file name in task memory (the file itself is the object's).
class KeepingDataObject : public IDataObject {
public:
    KeepingDataObject(const wchar_t* deviceName, DWORD tymed) : m_tymed(tymed)
    {
        const size_t bytes = (wcslen(deviceName) + 1) * sizeof(wchar_t);
        m_memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        CGlobalLock lock(m_memory);
        memcpy(lock.Data(), deviceName, bytes);
        if (tymed == TYMED_ISTREAM)
            CreateStreamOnHGlobal(nullptr, TRUE, &m_stream);
    }
    ~KeepingDataObject()
    {
        if (m_stream)
            m_stream->Release();
        GlobalFree(m_memory);
    }

    LONG References() const { return m_references; }
    // Whether the memory handed out is still the object's own, unfreed.
    bool MemoryIntact() const { return GlobalFlags(m_memory) != GMEM_INVALID_HANDLE && GlobalSize(m_memory) > 0; }
    // References to the served stream besides the object's own (0 when
    // every one handed out came back); 0 without a stream.
    ULONG StreamReferencesHandedOut() const
    {
        if (!m_stream)
            return 0;
        m_stream->AddRef();
        return m_stream->Release() - 1;
    }
    bool Ready() const { return m_memory && (m_tymed != TYMED_ISTREAM || m_stream); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_references); }  // lives on the stack

    STDMETHODIMP GetData(FORMATETC*, STGMEDIUM* medium) override
    {
        *medium = STGMEDIUM();
        medium->tymed = m_tymed;
        switch (m_tymed) {
        case TYMED_HGLOBAL:
            medium->hGlobal = m_memory;
            break;
        case TYMED_ISTREAM:
            medium->pstm = m_stream;
            m_stream->AddRef();
            break;
        case TYMED_FILE: {
            static const wchar_t kFile[] = L"C:\\vqx-keeping-data-object.txt";
            medium->lpszFileName = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof(kFile)));
            if (!medium->lpszFileName)
                return E_OUTOFMEMORY;
            memcpy(medium->lpszFileName, kFile, sizeof(kFile));
            break;
        }
        default:
            return DV_E_TYMED;
        }
        medium->pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return S_OK; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    LONG m_references = 1;
    HGLOBAL m_memory;
    IStream* m_stream = nullptr;
    DWORD m_tymed;
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
        m_tray.Create(kTrayWindowClass, "", 0);
    }
    void TearDown() override
    {
        m_library.Reset();
        m_tray.Destroy();
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
        Initialize(*init.Get(), deviceName);
        AddPages(*init.Get(), pages);
    }
    static void Initialize(IShellExtInit& init, const char* deviceName)
    {
        EXPECT_EQ(extensiontest::InitializeFor(init, deviceName), S_OK);
    }
    static void AddPages(IShellExtInit& init, OfferedPages& pages)
    {
        EXPECT_EQ(extensiontest::AddPagesOf(init, &OfferedPages::Add, reinterpret_cast<LPARAM>(&pages)), S_OK);
    }

private:
    CModule m_library;
    testsupport::StandInWindow m_tray;
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
    HWND sheet = ShowModeless(shown);
    ASSERT_TRUE(sheet);
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
    const displaypanel::HandlerRegistration registration =
        displaypanel::ProductRegistration(testsupport::NoTrailingBackslash(testsupport::TestFolder()));
    ASSERT_EQ(displaypanel::RegisterHandler(registration), ERROR_SUCCESS);

    OfferedPages pages;
    {
        CComPtr<IShellExtInit> init;
        ASSERT_EQ(CoCreateInstance(kExtensionClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   reinterpret_cast<void**>(init.Receive())), S_OK);
        ASSERT_EQ(extensiontest::InitializeAndAddPages(*init.Get(), "\\\\.\\DISPLAY1", &OfferedPages::Add,
                                                       reinterpret_cast<LPARAM>(&pages)),
                  S_OK);
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

// The medium the data object fills is given back as COM says: memory the
// data object keeps (pUnkForRelease) is left to it and the reference comes
// back; a medium other than the one asked for is not read.
TEST_F(ExtensionServer, EveryMediumIsGivenBackAsItsDataObjectSays)
{
    ASSERT_TRUE(LoadExtension());
    struct Case {
        DWORD tymed;
        size_t pages;  // DISPLAY1 is the adapter's: its pages come when the name is read
    } const cases[] = {
        { TYMED_HGLOBAL, 2 },
        { TYMED_ISTREAM, 0 },
        { TYMED_FILE, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tymed);
        KeepingDataObject data(L"\\\\.\\DISPLAY1", c.tymed);
        ASSERT_TRUE(data.Ready());
        OfferedPages pages;
        {
            CComPtr<IShellExtInit> init = Extension();
            ASSERT_TRUE(init);
            EXPECT_EQ(init->Initialize(nullptr, &data, nullptr), S_OK);
            EXPECT_EQ(data.References(), 1) << "the medium's reference was given back";
            EXPECT_TRUE(data.MemoryIntact()) << "the memory the data object keeps was left alone";
            EXPECT_EQ(data.StreamReferencesHandedOut(), 0u) << "the stream handed out was released";
            AddPages(*init.Get(), pages);
        }
        EXPECT_EQ(pages.taken.size(), c.pages);
    }
}

// Each extension object keeps the device its own sheet shows: a second
// Initialize without a name forgets the first, and two sheets of one
// process, initialised one after the other, show their own adapter.
TEST_F(ExtensionServer, EachSheetKeepsItsOwnDevice)
{
    Load(kTwoAdapters);
    ASSERT_TRUE(LoadExtension());
    for (const char* second : { static_cast<const char*>(nullptr), "" }) {
        CComPtr<IShellExtInit> init = Extension();
        ASSERT_TRUE(init);
        Initialize(*init.Get(), "\\\\.\\DISPLAY1");
        Initialize(*init.Get(), second);
        OfferedPages pages;
        AddPages(*init.Get(), pages);
        EXPECT_EQ(pages.offered, 0) << "initialised again without a name: no device of the adapter";
    }

    CComPtr<IShellExtInit> first = Extension();
    CComPtr<IShellExtInit> second = Extension();
    ASSERT_TRUE(first && second);
    Initialize(*first.Get(), "\\\\.\\DISPLAY1");
    Initialize(*second.Get(), "\\\\.\\DISPLAY2");
    OfferedPages firstPages, secondPages;
    AddPages(*second.Get(), secondPages);
    AddPages(*first.Get(), firstPages);
    ASSERT_EQ(firstPages.taken.size(), 2u);
    ASSERT_EQ(secondPages.taken.size(), 2u);
    HWND firstSheet = ShowModeless(firstPages);
    HWND secondSheet = ShowModeless(secondPages);
    ASSERT_TRUE(firstSheet && secondSheet);
    testsupport::PumpMessages(100);
    const auto panelSize = [](HWND sheet) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return testsupport::ItemText(page, IDC_INFO_PANEL_SIZE);
    };
    EXPECT_EQ(panelSize(firstSheet), PanelSizeText(*Hardware()->GetAdapter(0, TRUE)));
    EXPECT_EQ(panelSize(secondSheet), PanelSizeText(*Hardware()->GetAdapter(1, TRUE)));
    EXPECT_NE(panelSize(firstSheet), panelSize(secondSheet));
    DestroyWindow(firstSheet);
    DestroyWindow(secondSheet);
    testsupport::PumpMessages(100);
}

// Without its resource library beside it, or with one of another version,
// the extension offers no page and says why in one box; a second request
// for pages says nothing more.  Tried in a process of its own, from another
// current folder: this one has the library loaded.
TEST_F(ExtensionServer, WithoutItsResourceLibrarySaysWhyOnce)
{
    struct Case {
        const char* name;
        const char* resources;  // copied beside the extension; null: none
        const char* mentioned;  // in the box's text
    } const cases[] = {
        { "missing", nullptr, "VQXRES.DLL" },
        { "other-version", "other-version\\VQXRES.DLL", "version" },
    };
    const std::string here = testsupport::TestFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const testsupport::TemporaryFolder folder(std::string("vqx-page-") + c.name);
        DeleteFileA(folder.File("VQXRES.DLL").c_str());
        for (const std::string& file : testsupport::WithRuntimeLibraries({ "extension_load_probe.exe", "VQXPage.dll" }))
            ASSERT_TRUE(folder.Copy(here + file, file)) << file;
        if (c.resources) {
            ASSERT_TRUE(folder.Copy(here + c.resources, "VQXRES.DLL"));
        }
        testsupport::Program probe("\"" + folder.File("extension_load_probe.exe") + "\"");
        ASSERT_TRUE(probe.Started());
        HWND box = testsupport::WaitForDialog("VQXPAGE", 30000);
        ASSERT_TRUE(box) << "the reason is shown";
        EXPECT_NE(testsupport::MessageBoxText(box).find(c.mentioned), std::string::npos)
            << testsupport::MessageBoxText(box);
        testsupport::PressButton(box, IDOK);
        // A second box would keep the probe from ending.
        EXPECT_EQ(probe.Wait(10000), 0u) << "no page offered, no second box";
    }
}
