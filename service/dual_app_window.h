// The application windows of dual application: which windows may be chosen,
// how a chosen window is recognised again later, and how one is placed on
// its half of the desktop.
#pragma once

#include <windows.h>

// A window may be shown on a half when it exists, is visible, can be
// resized (WS_THICKFRAME) and has a title.
bool IsSuitableAppWindow(HWND window);

// The id of the process that owns `window`; 0 when it is no window.
DWORD WindowOwner(HWND window);

// TRUE when `window` is still the window chosen earlier: it exists and is
// owned by the same process.  A stored handle of a closed window can be
// handed out again to a window of another program, which must never be
// moved in its place.
bool IsSameAppWindow(HWND window, DWORD owner);

// Brings `window` to the front (foreground, active, top of the Z order) and
// makes it fill `rect`; nothing for a null handle.
void PlaceAppWindow(HWND window, const RECT& rect);

// Window handles travel through the settings as 32-bit values.
inline DWORD WindowToSetting(HWND window)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
}
inline HWND SettingToWindow(DWORD value)
{
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
}
