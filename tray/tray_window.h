// CTrayWindow: the tray program's one window.  It is never shown: it owns
// the notification-area icon and its menu, carries out the menu's commands,
// keeps the hot-key hook in the tray program's hands, guards the session's
// shared state against processes that ended while holding part of it, and
// passes changes of the power source to the driver.
#pragma once

#include "framework.h"
#include "hardware.h"
#include "hotkey_service.h"
#include "power_watch.h"
#include "service_reference.h"
#include "tray_icon.h"

namespace tray {

constexpr char kTrayWindowTitle[] = "VQX Control Panel";

class CTrayWindow : public CWnd {
public:
    // Borrows `hardware` from the application; takes the hot-key service.
    explicit CTrayWindow(CHardware* hardware);
    ~CTrayWindow() override = default;

    // The hidden top-most window of class "VQXTray".
    bool Create();

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    int OnCreate(CREATESTRUCTA* create) override;
    void OnDestroy() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnTimer(UINT_PTR id) override;
    void PostNcDestroy() override;

private:
    // The shared header, read afresh each time (the block's records may be
    // rebuilt in place while the program runs).
    const HardwareHeader& Header() const { return *m_pHardware->GetHeader(TRUE); }

    void OnTrayNotify(UINT iconId, UINT mouseMessage);
    void ShowPopupMenu();
    void OnTaskbarCreated();
    void OnEnableHotKeys();
    void GuardSharedState();

    // Commands (tray_commands.cpp).
    bool OnDeviceCommand(UINT id);
    void OnDisplayProperties();
    void OnHelp();
    void OnAbout();
    void OnExit();
    void OnRotate90();
    void OnRotate180();
    void OnRotate270();
    void OnDualAppOn();
    void OnSwapAppWindows();
    void OnSwapAppDisplays();
    void OnDualViewOn();
    void OnNormalState();
    void SwitchDisplayDevices(UINT command, UINT mask);

    CHardware* m_pHardware;
    ServiceReference<CHotkey> m_hotkey;
    CTrayIcon m_icon;
    CPowerWatch m_power;
    UINT m_taskbarCreatedMessage;
    UINT m_enableHotKeysMessage;

    static const CommandEntry<CTrayWindow> kCommands[];
};

} // namespace tray
