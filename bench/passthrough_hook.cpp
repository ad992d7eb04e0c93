// The cheapest possible keyboard hook, the yardstick of the hot-key hook:
// it only passes every event on.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK PassThroughHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
