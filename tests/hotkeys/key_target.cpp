// A focused application for the hot-key tests: one window that counts the
// key-downs it receives and shows the count in its caption ("keys: N"), so
// a test in another process can see that a key still reached it.
//   hotkey_key_target.exe
#include <windows.h>

#include <cstdio>

namespace {

int g_keyDowns = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
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
