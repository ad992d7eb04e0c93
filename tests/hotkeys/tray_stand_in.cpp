// Stands in for the tray program in the hot-key tests: a hidden window of
// class "VQXTray" that
//  - switches the hot keys on from its own process when asked with the
//    registered message, as the tray program does, and then shows
//    "hot keys on" in its title;
//  - guards keep-or-undo dialogs of other processes every second, as the
//    tray program does, and shows "switch undone" in its title when it
//    undid the switch of a dialog whose process had ended;
//  - with "--hook", owns the hook: it switches the hot keys on at start
//    and off at the end.
//   hotkey_tray_stand_in.exe [--hook]
#include <windows.h>

#include <cstring>

#include "hotkey_service.h"
#include "service_ids.h"

namespace {

const UINT_PTR kGuardTimer = 1;

UINT g_enableMessage = 0;
CHotkey* g_hotkeys = nullptr;

// Runs one call on the hot-key service; its errors end in the title.
template <class Call>
void Try(HWND hwnd, Call call)
{
    try {
        call();
    } catch (CException* e) {
        SetWindowTextA(hwnd, "failed");
        e->Delete();
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_enableMessage && g_hotkeys) {
        Try(hwnd, [&] {
            g_hotkeys->EnableHotKeys(TRUE);
            SetWindowTextA(hwnd, "hot keys on");
        });
        return 0;
    }
    if (message == WM_TIMER && wParam == kGuardTimer) {
        Try(hwnd, [&] {
            if (g_hotkeys->RecoverAbandonedSwitch())
                SetWindowTextA(hwnd, "switch undone");
        });
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const bool ownsHook = std::strstr(commandLine, "--hook") != nullptr;
    g_enableMessage = RegisterWindowMessageA(kEnableHotKeysMessage);
    try {
        g_hotkeys = static_cast<CHotkey*>(GetServerInterface(kServiceHotkey));
        if (ownsHook)
            g_hotkeys->EnableHotKeys(TRUE);
    } catch (CException* e) {
        e->Delete();
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VQXTray";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "VQX Control Panel", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    SetTimer(window, kGuardTimer, kSwitchGuardPeriod, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    if (ownsHook)
        Try(nullptr, [] { g_hotkeys->EnableHotKeys(FALSE); });
    ReleaseServerInterface(kServiceHotkey, g_hotkeys);
    return 0;
}
