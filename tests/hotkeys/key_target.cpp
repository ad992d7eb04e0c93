// A focused application for the hot-key tests: one window that counts the
// key-downs it receives and shows the count in its caption ("keys: N"), so
// a test in another process can see that a key still reached it.  Asked
// with the message of key_target_typing.h, it types keys into itself.
//   hotkey_key_target.exe
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "key_target_typing.h"

namespace {

int g_keyDowns = 0;
UINT g_typeKeysMessage = 0;

// Presses and releases `key` with the modifiers (HOTKEYF_* bits) as the user
// would, the key going down `downs` times; only while this window has the
// keyboard, so that every key goes to it.
bool TypeKeys(HWND hwnd, BYTE key, UINT modifiers, int downs)
{
    if (GetForegroundWindow() != hwnd || GetFocus() != hwnd)
        return false;
    std::vector<BYTE> held;
    if (modifiers & HOTKEYF_CONTROL)
        held.push_back(VK_CONTROL);
    if (modifiers & HOTKEYF_ALT)
        held.push_back(VK_MENU);
    if (modifiers & HOTKEYF_SHIFT)
        held.push_back(VK_SHIFT);
    for (BYTE k : held)
        keybd_event(k, 0, 0, 0);
    for (int i = 0; i < downs; ++i)
        keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
    return true;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_typeKeysMessage && message != 0) {
        const int downs = HIWORD(lParam) > 1 ? HIWORD(lParam) : 1;
        return TypeKeys(hwnd, static_cast<BYTE>(wParam), LOWORD(lParam), downs);
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wParam != VK_CONTROL && wParam != VK_MENU && wParam != VK_SHIFT) {
            char caption[32];
            std::snprintf(caption, sizeof(caption), "keys: %d", ++g_keyDowns);
            SetWindowTextA(hwnd, caption);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_typeKeysMessage = RegisterWindowMessageA(kTypeKeysMessage);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VQXHotKeyTarget";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "keys: 0", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                100, 100, 300, 120, nullptr, nullptr, instance, nullptr);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
