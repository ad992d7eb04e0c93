// The popup menu of the tray icon, built afresh at every right click from
// the menu template and the shared state.
#pragma once

#include <windows.h>

#include "shared_records.h"

namespace tray {

// Fills `popup`, the first submenu of the template IDM_TRAY, for the current
// display `display` under the feature switches of `header`:
//  - while a page of the Display Properties is open, only the fixed items stay;
//  - otherwise the rotation, dual view and dual application items that the
//    switches and the display's state allow are inserted after the first item,
//    followed by the item that returns to the normal state where one applies;
//  - the display-device choices that the switches disable are removed and the
//    current one carries the radio mark;
//  - in any dual mode, or with no output but the LCD panel enabled, the
//    "Display Devices" submenu and the separator before it go.
// Labels are loaded from the module's resource handle.
void BuildPopup(HMENU popup, const HardwareHeader& header, const DisplayRecord& display);

// Marks the display-device item for `mask` with the radio mark, and takes
// the mark off the other device items of its submenu; false when the item is
// not in the menu.  Works by position, so it does not matter which device
// items were removed before.
bool MarkDeviceChoice(HMENU popup, unsigned char mask);

} // namespace tray
