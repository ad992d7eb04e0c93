// Stands in for the tray program in the hot-key tests: a hidden window of
// class "VQXTray" that switches the hot keys on from its own process when
// asked with the registered message, as the tray program does, and shows
// "hot keys on" in its title when it did.
//   hotkey_tray_stand_in.exe
#include <windows.h>

#include "hotkey_service.h"
#include "service_ids.h"

namespace {

UINT g_enableMessage = 0;
CHotkey* g_hotkeys = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_enableMessage && g_hotkeys) {
        try {
            g_hotkeys->EnableHotKeys(TRUE);
            SetWindowTextA(hwnd, "hot keys on");
        } catch (CException* e) {
            e->Delete();
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_enableMessage = RegisterWindowMessageA(kEnableHotKeysMessage);
    try {
        g_hotkeys = static_cast<CHotkey*>(GetServerInterface(kServiceHotkey));
    } catch (CException* e) {
        e->Delete();
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VQXTray";
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "VQX Control Panel", WS_POPUP, 0, 0, 0, 0,
                    nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    ReleaseServerInterface(kServiceHotkey, g_hotkeys);
    return 0;
}
