#include "tray_icon.h"

#include <shellapi.h>

#include "framework.h"
#include "resource_ids.h"

namespace tray {

// The record of the shell of Windows 2000 (with a 128-character tip), which
// every supported shell accepts.
constexpr DWORD kNotifyIconRecordSize = 488;
static_assert(sizeof(NOTIFYICONDATAA) >= kNotifyIconRecordSize, "NOTIFYICONDATAA holds the 488-byte record");

// The shell is told before the icon it shows is destroyed (after this body).
CTrayIcon::~CTrayIcon()
{
    Remove();
}

NOTIFYICONDATAA CTrayIcon::Record(HWND window, UINT flags)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = kNotifyIconRecordSize;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = m_icon.Get();
    lstrcpynA(data.szTip, kTrayTip, sizeof(data.szTip));
    return data;
}

bool CTrayIcon::Add(HWND window)
{
    if (!m_icon)
        m_icon.Reset(static_cast<HICON>(LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON,
                                                   16, 16, LR_DEFAULTCOLOR)));
    NOTIFYICONDATAA data = Record(window, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (!Shell_NotifyIconA(NIM_ADD, &data) && !Shell_NotifyIconA(NIM_MODIFY, &data))
        return false;
    m_window = window;
    return true;
}

void CTrayIcon::Remove()
{
    if (!m_window)
        return;
    NOTIFYICONDATAA data = Record(m_window, 0);
    Shell_NotifyIconA(NIM_DELETE, &data);
    m_window = nullptr;
}

} // namespace tray
