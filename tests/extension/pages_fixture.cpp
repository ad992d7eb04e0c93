#include "pages_fixture.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

#include <commctrl.h>

#include "combo_box.h"
#include "display_panel_contract.h"
#include "os_service.h"

using extensiontest::DisplayPropertiesSheet;
using extensiontest::ExtensionLibrary;

namespace {

// Posted to the stand-in tray window; wParam numbers the marker.
constexpr UINT kMarkerMessage = WM_APP + 1;
// How long a driving thread may take with the advanced sheet.
constexpr DWORD kDrivingTimeoutMs = 60000;
// How often a window that stays open after being closed is asked again.
constexpr DWORD kAskAgainMs = 250;

std::atomic<int> g_powerBroadcasts{ 0 };
std::atomic<unsigned> g_markersPosted{ 0 };
std::atomic<unsigned> g_lastMarkerSeen{ 0 };

LRESULT CALLBACK StandInTrayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMPOWERSTATUSCHANGE)
            ++g_powerBroadcasts;
        return TRUE;
    case kMarkerMessage:
        g_lastMarkerSeen = static_cast<unsigned>(wParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

bool Is95Family(const HardwareHeader& header)
{
    return header.osClass == kOSWin95 || header.osClass == kOSWin98;
}

void ExtensionPages::SetUp()
{
    SimulatedAdapter::SetUp();
    CreateStandInTray();
}

void ExtensionPages::TearDown()
{
    CloseDisplayProperties();
    m_standInTray.Destroy();
    SimulatedAdapter::TearDown();
}

void ExtensionPages::CreateStandInTray()
{
    // Hidden and top-level, as the tray program's window: broadcasts reach it.
    ASSERT_NE(nullptr, m_standInTray.Create(kTrayWindowClass, "VQX Control Panel", WS_EX_TOOLWINDOW, StandInTrayProc));
    g_powerBroadcasts = 0;
}

void ExtensionPages::OpenDisplayProperties(const std::function<void()>& beforeShowing, const std::string& deviceName)
{
    m_extension = std::make_unique<ExtensionLibrary>();
    ASSERT_TRUE(m_extension->Loaded()) << "VQXPage.dll: error " << GetLastError();
    CPropertySheetPages pages;
    ASSERT_EQ(S_OK, m_extension->AddPages(deviceName, pages));
    ASSERT_EQ(2u, pages.Count()) << "the information and display-devices pages";
    if (beforeShowing)
        beforeShowing();
    m_sheet = std::make_unique<DisplayPropertiesSheet>(displaypanel::kSheetCaption, pages);
    ASSERT_NE(nullptr, m_sheet->Handle());
    testsupport::FlushEvents();
}

void ExtensionPages::CloseDisplayProperties()
{
    m_sheet.reset();
    testsupport::FlushEvents();
    if (m_extension) {
        EXPECT_EQ(S_OK, m_extension->CanUnloadNow()) << "a page outlived its sheet";
        m_extension.reset();
    }
}

void ExtensionPages::WithAdvancedSheet(const std::function<void(HWND)>& drive)
{
    EXPECT_TRUE(PressAdvanced(drive)) << "the advanced sheet did not come";
}

bool ExtensionPages::AdvancedSheetShowsAWindow()
{
    return PressAdvanced({});
}

bool ExtensionPages::PressAdvanced(const std::function<void(HWND)>& drive)
{
    HWND devicesPage = ShowDevicesPage();
    EXPECT_NE(nullptr, devicesPage);
    const std::string caption = testsupport::ResourceString(IDS_ADVANCED_SHEET_CAPTION);
    std::atomic<bool> handlerReturned{ false };
    bool shown = false;
    std::thread driver([&] {
        // A window shown by the button's handler keeps the handler running
        // until it is closed; a handler that shows nothing returns at once.
        HWND sheet = nullptr;
        HWND box = nullptr;
        testsupport::WaitUntil([&] {
            sheet = FindWindowA("#32770", caption.c_str());
            box = sheetdriving::MessageBoxOfThisProcess();
            return (sheet && IsWindowVisible(sheet)) || box || handlerReturned;
        }, kDrivingTimeoutMs);
        shown = sheet || box;
        if (box)
            ADD_FAILURE() << "a message box came: " << testsupport::MessageBoxText(box);
        else if (sheet && drive)
            drive(sheet);
        // Whatever is still open is closed, until the handler has returned;
        // a window that was busy (a sheet still being built) is asked again.
        std::map<HWND, DWORD> asked;
        testsupport::WaitUntil([&] {
            for (HWND window : { FindWindowA("#32770", caption.c_str()), sheetdriving::MessageBoxOfThisProcess() }) {
                if (!window || (asked.count(window) && GetTickCount() - asked[window] < kAskAgainMs))
                    continue;
                asked[window] = GetTickCount();
                // Posted: a modal loop notices its end only after
                // dispatching a message of its own thread.
                PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            }
            return handlerReturned.load();
        }, kDrivingTimeoutMs);
    });
    testsupport::PressButton(devicesPage, IDC_DEVICES_ADVANCED);
    // Runs the button's handler, and with it the modal sheet.
    testsupport::FlushEvents();
    handlerReturned = true;
    driver.join();
    testsupport::FlushEvents();
    return shown;
}

int ExtensionPages::PowerBroadcasts() const
{
    return g_powerBroadcasts;
}

void ExtensionPages::WaitForPostedMessages() const
{
    const unsigned marker = ++g_markersPosted;
    PostMessageA(m_standInTray.Handle(), kMarkerMessage, marker, 0);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return g_lastMarkerSeen >= marker; }));
}

std::vector<SimJournalEntry> ExtensionPages::OwnEscapes(DWORD function) const
{
    std::vector<SimJournalEntry> own;
    for (const SimJournalEntry& entry : Escapes(function))
        if (entry.processId == GetCurrentProcessId())
            own.push_back(entry);
    return own;
}

namespace sheetdriving {

bool ApplyEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

std::string SelectedText(HWND list)
{
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index < 0)
        return std::string();
    std::string text(static_cast<size_t>(SendMessageA(list, CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
    SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strlen(text.c_str()));
    return text;
}

LRESULT SelectedData(HWND list)
{
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : SendMessageA(list, CB_GETITEMDATA, index, 0);
}

void Choose(HWND page, int listId, int index)
{
    HWND list = GetDlgItem(page, listId);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // CB_SETCURSEL sends no notification: the page hears of it as of a
    // choice made with the mouse.
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool ChooseData(HWND page, int listId, int data)
{
    const std::vector<int> items = ComboItemData(GetDlgItem(page, listId));
    const auto found = std::find(items.begin(), items.end(), data);
    if (found == items.end())
        return false;
    Choose(page, listId, static_cast<int>(found - items.begin()));
    return true;
}

int FindEntry(HWND list, const std::string& text)
{
    const LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    return index < 0 ? -1 : static_cast<int>(index);
}

bool PressApply(HWND sheet)
{
    // Posted, so that a box shown by the handler cannot block the caller.
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    return testsupport::WaitUntil([&] { return !ApplyEnabled(sheet); });
}

HWND MessageBoxOfThisProcess()
{
    struct Search {
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND window, LPARAM lParam)
        {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // Message boxes are dialogs with their text in static 65535.
            if (process != GetCurrentProcessId() || testsupport::ClassName(window) != "#32770" ||
                !GetDlgItem(window, 0xFFFF))
                return TRUE;
            reinterpret_cast<Search*>(lParam)->found = window;
            return FALSE;
        }
    } search;
    EnumWindows(&Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int PageCount(HWND sheet)
{
    return static_cast<int>(SendMessageA(PropSheet_GetTabControl(sheet), TCM_GETITEMCOUNT, 0, 0));
}

HWND PageAt(HWND sheet, int index)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

HWND ShowPage(HWND sheet, int index)
{
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void SetCheck(HWND page, int id, bool checked)
{
    HWND box = GetDlgItem(page, id);
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

HWND WaitForDialogOwnedBy(HWND owner)
{
    return testsupport::WaitForWindow([owner](HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        return process == GetCurrentProcessId() && GetWindow(window, GW_OWNER) == owner &&
               testsupport::ClassName(window) == "#32770" && !GetDlgItem(window, 0xFFFF) && IsWindowVisible(window);
    }, kDrivingTimeoutMs);
}

std::string TakeMessageBox()
{
    HWND box = nullptr;
    if (!testsupport::WaitUntil([&] { return (box = MessageBoxOfThisProcess()) != nullptr; }, kDrivingTimeoutMs))
        return std::string();
    const std::string text = testsupport::MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    testsupport::WaitUntil([&] { return !IsWindow(box); }, kDrivingTimeoutMs);
    return text;
}

} // namespace sheetdriving
