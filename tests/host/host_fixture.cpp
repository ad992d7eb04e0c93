#include "host_fixture.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <vector>

#include "display_panel_contract.h"
#include "procaddress.h"
#include "test_support.h"

CTempFolder::CTempFolder()
    : m_folder("vqxhost", testsupport::TemporaryFolder::Naming::Numbered),
      m_path(testsupport::NoTrailingBackslash(m_folder.Path()))
{
}

CCurrentFolder::CCurrentFolder(const std::string& folder)
{
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    m_previous = previous;
    SetCurrentDirectoryA(folder.c_str());
}

CCurrentFolder::~CCurrentFolder()
{
    SetCurrentDirectoryA(m_previous.c_str());
}

displaypanel::HandlerRegistration FakeRegistration(const std::string& handlersKey)
{
    return { kFakeExtensionClassId, testsupport::TestFolder() + kFakeExtensionFile, kFakeHandlerName, handlersKey };
}

CFakeExtension::CFakeExtension() : m_module(LoadLibraryA((testsupport::TestFolder() + kFakeExtensionFile).c_str()))
{
}

LONG CFakeExtension::ObjectCount() const
{
    const auto count = GetProcAddressAs<FakeObjectCountFn>(m_module, kFakeObjectCountExport);
    return count ? count() : -1;
}

FakePageCounts CFakeExtension::PageCounts() const
{
    FakePageCounts counts;
    if (const auto read = GetProcAddressAs<FakePageCountsFn>(m_module, kFakePageCountsExport))
        read(&counts.created, &counts.released);
    return counts;
}

std::wstring CFakeExtension::DeviceName() const
{
    const auto read = GetProcAddressAs<FakeDeviceNameFn>(m_module, kFakeDeviceNameExport);
    if (!read)
        return L"(no export)";
    wchar_t name[64] = L"";
    read(name, 64);
    return name;
}

namespace {

// The control with id `id` anywhere under `window` (pages are dialogs within
// the sheet); null when there is none.
HWND FindDescendant(HWND window, int id)
{
    struct Search {
        int id;
        HWND found;
        static BOOL CALLBACK Visit(HWND child, LPARAM lParam)
        {
            auto* search = reinterpret_cast<Search*>(lParam);
            if (GetDlgCtrlID(child) != search->id)
                return TRUE;
            search->found = child;
            return FALSE;
        }
    } search = { id, nullptr };
    EnumChildWindows(window, Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

SeenSheet InspectAndClose(HWND sheet, int button)
{
    SeenSheet seen;
    // The page is created when the sheet shows it first.
    testsupport::WaitUntil([&] {
        // A property sheet has its tab control; a message box has none.
        seen.sheetShown = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr) != nullptr;
        if (!seen.sheetShown) {
            seen.messageBoxText = testsupport::MessageBoxText(sheet);
            return true;
        }
        HWND text = FindDescendant(sheet, FAKE_PAGE_TEXT_ID);
        if (!text || !IsWindowVisible(text))
            return false;
        seen.pageText = testsupport::WindowText(text);
        seen.pageCount = static_cast<int>(
            SendMessageA(FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr), TCM_GETITEMCOUNT, 0, 0));
        seen.pageDeviceName = testsupport::WindowText(FindDescendant(sheet, FAKE_PAGE_DEVICE_ID));
        return true;
    }, 3000);
    seen.fakeLoadedMeanwhile = GetModuleHandleA(kFakeExtensionFile) != nullptr;
    // A box has only its OK button.
    testsupport::PressButton(sheet, seen.sheetShown ? button : IDOK);
    return seen;
}

CSheetWatcher::CSheetWatcher(int button) : m_thread([this, button] { Watch(button); })
{
}

CSheetWatcher::~CSheetWatcher()
{
    if (m_thread.joinable())
        m_thread.join();
}

const SeenSheet& CSheetWatcher::Seen()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}

void CSheetWatcher::Watch(int button)
{
    if (HWND sheet = testsupport::WaitForDialog(displaypanel::kSheetCaption, 30000))
        m_seen = InspectAndClose(sheet, button);
}

constexpr char HostTest::kTestHandlersKey[];

void HostTest::TearDown()
{
    displaypanel::UnregisterHandler(FakeRegistration(kTestHandlersKey));
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\VQX host tests");
}

void HostTest::RegisterFake()
{
    ASSERT_EQ(ERROR_SUCCESS, displaypanel::RegisterHandler(FakeRegistration(kTestHandlersKey)));
}

void HostTest::AddHandlerEntry(const char* name, const char* classId)
{
    CRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_LOCAL_MACHINE, (std::string(kTestHandlersKey) + "\\" + name).c_str()));
    ASSERT_EQ(ERROR_SUCCESS, key.SetString(nullptr, classId));
}

void HostTest::AddFakeHandlerEntry(const char* name, const char* behaviour)
{
    AddHandlerEntry(name, kFakeExtensionClassId);
    CRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, (std::string(kTestHandlersKey) + "\\" + name).c_str(),
                                      KEY_WRITE));
    ASSERT_EQ(ERROR_SUCCESS, key.SetString(kFakeBehaviourValue, behaviour));
}

void HostTest::RemoveHandlerEntry(const char* name)
{
    ASSERT_EQ(ERROR_SUCCESS, SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kTestHandlersKey) + "\\" + name).c_str()));
}
