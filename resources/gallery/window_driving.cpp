#include "window_driving.h"

#include <functional>

namespace gallery {

namespace {

struct ShownWindowSearch {
    DWORD processId;
    const char* className;
    const std::function<void(HWND)>* visit;
};

BOOL CALLBACK VisitIfShown(HWND hwnd, LPARAM lParam)
{
    const ShownWindowSearch& search = *reinterpret_cast<const ShownWindowSearch*>(lParam);
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search.processId && lstrcmpA(cls, search.className) == 0 && IsWindowVisible(hwnd))
        (*search.visit)(hwnd);
    return TRUE;
}

}  // namespace

void ForEachShownWindow(DWORD processId, const char* className, const std::function<void(HWND)>& visit)
{
    ShownWindowSearch search = { processId, className, &visit };
    EnumWindows(VisitIfShown, reinterpret_cast<LPARAM>(&search));
}

HWND FindShownWindow(DWORD processId, const char* className)
{
    HWND found = nullptr;
    ForEachShownWindow(processId, className, [&](HWND hwnd) {
        if (!found)
            found = hwnd;
    });
    return found;
}

RECT ShownWindowsRect(DWORD processId, const char* className)
{
    RECT all = {};
    ForEachShownWindow(processId, className, [&](HWND hwnd) {
        RECT r;
        GetWindowRect(hwnd, &r);
        UnionRect(&all, &all, &r);
    });
    return all;
}

void PressKey(BYTE key)
{
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    Sleep(60);
}

}  // namespace gallery
