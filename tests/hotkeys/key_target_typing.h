// How a test has hotkey_key_target.exe type keys into its own window.
//
// Wine keeps the state of the modifier keys itself and sets it to the X
// server's whenever a window gets the X focus (KeymapNotify), which may be
// well after Wine made it the foreground window.  Keys a test injects never
// reach the X server, so such an event handled between a test's Ctrl or Alt
// and its letter drops the modifier, and the hook sees another key.  A
// window's X events are handled by its own thread, and only while it waits
// for messages; so the target queues the whole sequence from inside its
// window procedure and then takes the keys one after another without
// waiting: no such event can come between them.
#pragma once

#include <windows.h>

// Registered message, sent to the target's window: wParam is the virtual
// key, lParam holds the HOTKEYF_* modifiers in its low word and how often
// the key goes down in its high word (1, or 0, for a plain press; more for
// a key held down until it repeats).  The answer is TRUE when the keys were
// typed, FALSE (and nothing typed) when the window was not the focused
// window of the foreground application.
constexpr char kTypeKeysMessage[] = "VQXHotKeyTarget.TypeKeys";
