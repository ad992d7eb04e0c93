#include "dual_app_window.h"

bool IsSuitableAppWindow(HWND window)
{
    return IsWindow(window) && IsWindowVisible(window) &&
           (GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) != 0 && GetWindowTextLengthA(window) > 0;
}

DWORD WindowOwner(HWND window)
{
    DWORD process = 0;
    if (!IsWindow(window) || !GetWindowThreadProcessId(window, &process))
        return 0;
    return process;
}

bool IsSameAppWindow(HWND window, DWORD owner)
{
    return owner != 0 && WindowOwner(window) == owner;
}

void PlaceAppWindow(HWND window, const RECT& rect)
{
    if (!window)
        return;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    BringWindowToTop(window);
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}
