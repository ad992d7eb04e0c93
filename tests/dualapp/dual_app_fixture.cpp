#include "dual_app_fixture.h"

#include <cstdio>
#include <ostream>

#include "os_service.h"
#include "resource_ids.h"

const char kChoiceCaption[] = "Dual Application";

const char kDualAppScenario[] =
    "[Adapter0]\n"
    "PanelId=1\n"
    "DeviceMask=3\n"
    "Resolutions=800x600,1024x768,1600x600,2048x768\n"
    "[Device0]\n"
    "Name=\\\\.\\DISPLAY1\n"
    "Resolution=800x600\n";

namespace {

const char kAppWindowClass[] = "VQXDualAppTestWindow";
const char kLocalWindowClass[] = "VQXDualAppLocalWindow";

std::string Format(const char* format, unsigned a, unsigned b = 0)
{
    char text[96];
    std::snprintf(text, sizeof(text), format, a, b);
    return text;
}

std::string DescribeChange(const SimJournalEntry& entry, DWORD expectedFields)
{
    if (entry.kind == SIM_JOURNAL_MODE_CHANGE) {
        std::string text = Format("mode %ux%u", entry.width, entry.height);
        if (entry.extended)
            text += " (extended call)";
        if (entry.fields != expectedFields)
            text += Format(" fields 0x%x", entry.fields);
        if (entry.flags != DWORD(CDS_UPDATEREGISTRY | CDS_RESET))
            text += Format(" flags 0x%x", entry.flags);
        if (entry.deviceName[0])
            text += std::string(" device ") + entry.deviceName;
        return text;
    }
    std::string text;
    switch (entry.request[0]) {
    case SIM_FN_SWITCH:
        text = Format("switch %u mode word %u", entry.request[1], entry.request[2]);
        break;
    case SIM_FN_DUAL_APP:
        text = SIM_REQUEST_BYTE(&entry, 4)
            ? Format("dual application on, swapped %u", SIM_REQUEST_BYTE(&entry, 5))
            : std::string("dual application off");
        break;
    default:
        text = Format("escape %u", entry.request[0]);
        break;
    }
    if (entry.status != SIM_STATUS_OK)
        text += Format(" -> status 0x%x", entry.status);
    return text;
}

// Escape functions that only read.
bool IsQuery(const SimJournalEntry& entry)
{
    if (entry.kind != SIM_JOURNAL_ESCAPE)
        return false;
    const DWORD function = entry.request[0];
    return function == SIM_FN_STATUS || function == SIM_FN_GET_VALUE || function == SIM_FN_REQUEST ||
           function == SIM_FN_READ_PAIR;
}

} // namespace

LocalWindow::LocalWindow(DWORD style, const char* title)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kLocalWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    m_window = CreateWindowExA(0, kLocalWindowClass, title, style, 100, 100, 200, 120, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    EXPECT_NE(nullptr, m_window) << title;
}

LocalWindow::~LocalWindow()
{
    DestroyWindow(m_window);
}

void DualApp::TearDown()
{
    m_dualApp.Release();
    if (m_savedWorkArea)
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &*m_savedWorkArea, 0);
    SimulatedAdapter::TearDown();
}

void DualApp::Start(const std::string& scenario)
{
    Load(scenario);
    ASSERT_NE(nullptr, m_dualApp.Acquire());
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    hardware->RefreshDisplayState();
    SimClearJournal();
}

void DualApp::SetWorkArea(const RECT& area)
{
    if (!m_savedWorkArea) {
        RECT saved = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved, 0);
        m_savedWorkArea = saved;
    }
    RECT wanted = area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &wanted, 0));
    RECT now = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &now, 0);
    ASSERT_EQ(area, now) << "the system keeps the work area it was given";
}

AppWindow DualApp::StartApp(const std::string& caption)
{
    AppWindow app;
    app.program = std::make_unique<testsupport::Program>("dualapp_window.exe " + caption);
    EXPECT_TRUE(app.program->Started()) << caption;
    if (app.program->Started())
        app.window = app.program->WaitForWindow(kAppWindowClass);
    EXPECT_NE(nullptr, app.window) << caption;
    // The helper creates its window first and shows it after: only a shown
    // window may be offered for a half.
    if (app.window) {
        EXPECT_TRUE(testsupport::WaitUntil([&] { return IsWindowVisible(app.window) != FALSE; })) << caption;
    }
    return app;
}

void DualApp::SwitchOn(HWND first, HWND second, UINT swapped)
{
    EXPECT_EQ((ServiceError{ 0, 0 }), TrySwitchOn(first, second, swapped));
}

ServiceError DualApp::TrySwitchOn(HWND first, HWND second, UINT swapped)
{
    ServiceError error = { 0, 0 };
    RunDriven([&] { error = ServiceErrorOf([&] { Service()->SetDualApp(TRUE, swapped); }); },
              [&] {
                  HWND dialog = WaitForChoiceDialog();
                  if (!dialog)
                      return;
                  EXPECT_TRUE(ChooseWindow(dialog, IDC_DUALAPP_FIRST_WINDOW, first));
                  EXPECT_TRUE(ChooseWindow(dialog, IDC_DUALAPP_SECOND_WINDOW, second));
                  testsupport::PressButton(dialog, IDOK);
                  WaitUntilClosed(dialog);
              });
    return error;
}

std::vector<std::string> DualApp::Changes()
{
    const bool orientation = Hardware()->GetHeader(TRUE)->osClass == 6;
    const DWORD fields = DM_PELSWIDTH | DM_PELSHEIGHT | (orientation ? DM_DISPLAYORIENTATION : 0);
    std::vector<std::string> changes;
    for (const SimJournalEntry& entry : Journal())
        if (!IsQuery(entry))
            changes.push_back(DescribeChange(entry, fields));
    return changes;
}

std::optional<DWORD> DualApp::SettingDword(const char* name) const
{
    DWORD value = 0, size = sizeof(value), type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::optional<RECT> DualApp::SettingRect(const char* name) const
{
    RECT rect = {};
    DWORD size = sizeof(rect), type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&rect), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(rect))
        return std::nullopt;
    return rect;
}

void DualApp::DeleteSetting(const char* name) const
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_SET_VALUE, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, name));
    RegCloseKey(key);
}

void DualApp::WriteSettingDword(const char* name, DWORD value) const
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_SET_VALUE, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                            sizeof(value)));
    RegCloseKey(key);
}

UINT DualApp::DisplayMode()
{
    Hardware()->RefreshStatus();
    return Hardware()->GetCurrentDisplay()->mode;
}

HWND WaitForChoiceDialog()
{
    HWND dialog = testsupport::WaitForDialog(kChoiceCaption);
    EXPECT_NE(nullptr, dialog) << "the window-choice dialog did not appear";
    return dialog;
}

std::vector<std::pair<std::string, HWND>> ListEntries(HWND dialog, int listId)
{
    std::vector<std::pair<std::string, HWND>> entries;
    const LRESULT count = SendDlgItemMessageA(dialog, listId, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendDlgItemMessageA(dialog, listId, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendDlgItemMessageA(dialog, listId, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        const LRESULT data = SendDlgItemMessageA(dialog, listId, LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        entries.emplace_back(text, reinterpret_cast<HWND>(data));
    }
    return entries;
}

HWND ListSelection(HWND dialog, int listId)
{
    const LRESULT selection = SendDlgItemMessageA(dialog, listId, LB_GETCURSEL, 0, 0);
    if (selection < 0)
        return nullptr;
    return reinterpret_cast<HWND>(
        SendDlgItemMessageA(dialog, listId, LB_GETITEMDATA, static_cast<WPARAM>(selection), 0));
}

bool ChooseWindow(HWND dialog, int listId, HWND window)
{
    const std::vector<std::pair<std::string, HWND>> entries = ListEntries(dialog, listId);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].second != window)
            continue;
        HWND list = GetDlgItem(dialog, listId);
        SendMessageA(list, LB_SETCURSEL, i, 0);
        // A click would also notify the dialog; LB_SETCURSEL does not.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        return true;
    }
    return false;
}

void WaitUntilClosed(HWND dialog)
{
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
}

DialogSentry::DialogSentry()
    : m_thread([this] {
          testsupport::WaitUntil([this] {
              if (HWND dialog = FindWindowA("#32770", kChoiceCaption)) {
                  m_appeared = true;
                  testsupport::PressButton(dialog, IDCANCEL);
              }
              return m_done.load();
          }, INFINITE);
      })
{
}

DialogSentry::~DialogSentry()
{
    m_done = true;
    m_thread.join();
}

std::ostream& operator<<(std::ostream& out, const RECT& rect)
{
    return out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

std::optional<DWORD> HandleValue(HWND window)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
}

bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper)
            return true;
    return false;
}
