#include "tray_window.h"

#include "os_service.h"
#include "primary_displays.h"
#include "resource_ids.h"
#include "service_ids.h"
#include "tray_menu.h"

namespace tray {

namespace {

// Every second: a keep-or-undo dialog whose process ended is undone and the
// hot keys come back to this process.
constexpr UINT_PTR kSwitchGuardTimer = 1;

// What the shell broadcasts when its taskbar has been created again.
constexpr char kTaskbarCreatedMessage[] = "TaskbarCreated";

} // namespace

CTrayWindow::CTrayWindow(CHardware* hardware)
    : m_pHardware(hardware),
      m_power(*hardware),
      m_taskbarCreatedMessage(RegisterWindowMessageA(kTaskbarCreatedMessage)),
      m_enableHotKeysMessage(RegisterWindowMessageA(kEnableHotKeysMessage))
{
    m_pHeader = m_pHardware->GetHeader(FALSE);
    m_pCurrentAdapter = m_pHardware->GetCurrentAdapter();
    m_pCurrentDisplay = m_pHardware->GetCurrentDisplay();
    m_pHotkey = static_cast<CHotkey*>(GetServerInterface(kServiceHotkey));
}

CTrayWindow::~CTrayWindow()
{
    if (m_pHotkey)
        ReleaseServerInterface(kServiceHotkey, m_pHotkey);
}

bool CTrayWindow::Create()
{
    return CreateEx(WS_EX_TOPMOST, kTrayWindowClass, kTrayWindowTitle, WS_POPUP | WS_CLIPSIBLINGS,
                    0, 0, 0, 0, nullptr, nullptr);
}

void CTrayWindow::PostNcDestroy()
{
    delete this;
}

int CTrayWindow::OnCreate(CREATESTRUCTA* create)
{
    if (CWnd::OnCreate(create) == -1)
        return -1;
    if (!m_pHeader->hideTrayIcon)
        m_icon.Add(m_hWnd);
    m_pHotkey->EnableHotKeys(TRUE);
    SetTimer(kSwitchGuardTimer, kSwitchGuardPeriod);
    m_power.BroadcastFirstStatus();
    return 0;
}

void CTrayWindow::OnDestroy()
{
    CWnd::OnDestroy();
    KillTimer(kSwitchGuardTimer);
    m_pHotkey->EnableHotKeys(FALSE);
    m_icon.Remove();
}

bool CTrayWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_TRAYNOTIFY:
        OnTrayNotify(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        result = 0;
        return true;
    case WM_POWERBROADCAST:
        // Every notice is acknowledged; only a change of the source matters.
        result = TRUE;
        if (wParam == PBT_APMPOWERSTATUSCHANGE)
            m_power.CheckPowerStatus();
        return true;
    case WM_QUERYENDSESSION:
        // Logging off or shutting down may always go on.
        result = DefWindowProc(message, wParam, lParam) ? TRUE : FALSE;
        return true;
    default:
        break;
    }
    if (message == m_enableHotKeysMessage && message != 0) {
        OnEnableHotKeys();
        result = 0;
        return true;
    }
    if (message == m_taskbarCreatedMessage && message != 0) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CTrayWindow::OnTrayNotify(UINT iconId, UINT mouseMessage)
{
    if (iconId != kTrayIconId)
        return;
    if (mouseMessage == WM_RBUTTONUP)
        ShowPopupMenu();
    else if (mouseMessage == WM_LBUTTONDBLCLK)
        SendMessage(WM_COMMAND, ID_TRAY_DISPLAY_PROPERTIES);
}

// A hot key's keep-or-undo dialog in another application switched the hot
// keys off and on again from there; this brings the hook back home.
void CTrayWindow::OnEnableHotKeys()
{
    m_pHotkey->EnableHotKeys(TRUE);
}

void CTrayWindow::OnTaskbarCreated()
{
    if (!m_pHeader->hideTrayIcon)
        m_icon.Add(m_hWnd);
}

bool CTrayWindow::OnTimer(UINT_PTR id)
{
    if (id != kSwitchGuardTimer)
        return false;
    // Runs every second without a user's action: its failures are not shown,
    // the next tick tries again.
    try {
        m_pHotkey->RecoverAbandonedSwitch();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return true;
}

bool CTrayWindow::RefreshPrimaryDisplays()
{
    try {
        ForEachPrimaryDisplay(*m_pHardware, [this](UINT a, UINT d) {
            m_pHardware->SelectDisplay(a, d);
            m_pHardware->RefreshDisplayState();
            return true;
        });
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return false;
}

void CTrayWindow::ShowPopupMenu()
{
    CMenuHandle menu(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDM_TRAY)));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    if (!popup)
        return;
    if (!RefreshPrimaryDisplays()) {
        // The display state cannot be read any more: the program ends.
        PostQuitMessage(0);
        return;
    }
    BuildPopup(popup, *m_pHeader, *m_pCurrentDisplay);
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(m_hWnd);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessage(WM_USER);
}

} // namespace tray
