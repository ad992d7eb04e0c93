// Display devices and their modes as the simulated system reports them.
#pragma once

#include "vqxsim.h"

namespace vqxsim {

// Index of the device a name addresses, or -1.  Null or "" is the system's
// primary device; "DISPLAY" the adapter's primary display (the name the
// system gives the display without EnumDisplayDevicesA); other names are
// compared case-insensitively.
int FindDevice(const SimState& state, const char* name);

// Mode `index` of a device as enumerated: the adapter's list, turned while
// the device is rotated to portrait and doubled in width in dual
// application; another vendor's device has only its current mode.
bool DeviceMode(const SimState& state, int device, DWORD index, SimMode& mode);

// Validates and applies a mode change of one device (null DEVMODE: the
// system re-reads its settings, which changes nothing).
LONG ChangeDeviceMode(SimState& state, int device, const DEVMODEA* mode, DWORD flags);

// DEVMODE orientation value of a rotation code.
DWORD OrientationOf(DWORD rotation);

} // namespace vqxsim
