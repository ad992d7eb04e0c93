// The baseline of the tray program's start-up benchmark: a program that
// does nothing but make one hidden window and wait, so that Wine's own cost
// of starting a program with a window can be told from the tray program's.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VQXPlainWindow";
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "plain", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
