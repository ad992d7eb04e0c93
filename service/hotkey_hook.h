// The procedure of the system-wide keyboard hook: it runs in whatever
// process has the keyboard focus and carries out the hot keys there.
#pragma once

#include <windows.h>

LRESULT CALLBACK HotKeyHookProc(int code, WPARAM virtualKey, LPARAM keyData);
