// The popup menu of the tray icon, built afresh at every right click from
// the menu template and the shared state, and the rules that decide which
// of its commands are offered: the menu and the commands (which any process
// can post to the tray window) apply the same ones.
#pragma once

#include <windows.h>

#include "shared_records.h"

namespace tray {

// Whether the popup built for `display` under the feature switches of
// `header` offers `command`:
//  - the fixed items (Display Properties, help, about, exit) always;
//  - while a page of the Display Properties is open, nothing else;
//  - an angle when rotating is allowed (not in dual view or dual
//    application, not a dual-monitor desktop of Windows 98, and on a
//    rotated display only with two angles enabled) and its switch is on;
//  - dual view and dual application on a plain, unrotated display whose
//    switch is on; the swaps in dual application;
//  - the way back to normal when rotated, in dual view or dual application;
//  - a display-device choice on a plain single display when its outputs are
//    enabled (the CRT and TV pair only shows the state and is never offered).
// Any other command is not offered.
bool IsCommandOffered(UINT command, const HardwareHeader& header, const DisplayRecord& display);

// Fills `popup`, the first submenu of the template IDM_TRAY, with the
// commands IsCommandOffered allows for `display` under `header`: the
// rotation, dual view and dual application items after the first item
// ("Display Properties..."), each group after a separator, followed by the
// item that returns to the normal state; the display-device choices that
// the switches disable are removed and the current one carries the radio
// mark; without device choices the "Display Devices" submenu and the
// separator before it go.  Labels are loaded from the module's resource
// handle.
void BuildPopup(HMENU popup, const HardwareHeader& header, const DisplayRecord& display);

// Marks the display-device item for `mask` with the radio mark, and takes
// the mark off the other device items of its submenu; false when the item is
// not in the menu.  Works by position, so it does not matter which device
// items were removed before.
bool MarkDeviceChoice(HMENU popup, unsigned char mask);

} // namespace tray
