// The icon of the tray program in the notification area.
#pragma once

#include <windows.h>

#include "handles.h"

namespace tray {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;  // the icon's callback message
constexpr UINT kTrayIconId = 1000;           // the icon's id, the IDI_TRAY resource's
constexpr char kTrayTip[] = "VQX Control Panel";

// The icon loaded for the notification area, destroyed with its owner.
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DestroyIcon(h); }
};
using CIconHandle = CUniqueHandle<IconTraits>;

class CTrayIcon {
public:
    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon of `window` (its callback is WM_TRAYNOTIFY); when the
    // shell still shows it, as after a taskbar that did not really go,
    // brings it up to date instead.
    bool Add(HWND window);
    // Removes the icon if this object added it.
    void Remove();
    bool IsShown() const { return m_window != nullptr; }

private:
    NOTIFYICONDATAA Record(HWND window, UINT flags);

    HWND m_window = nullptr;  // set while the icon is shown
    CIconHandle m_icon;
};

} // namespace tray
