// The display device a Display control panel shows when it is not told
// which: the system's primary display device.
#pragma once

#include <string>

namespace displaypanel {

// The name of the device the system's own EnumDisplayDevicesA flags
// primary ("\\.\DISPLAY1"); the first device when none is flagged, and
// kFallbackDisplayDevice on systems without that function.  It is the
// system's function on purpose, never a simulated adapter's: the panel
// names devices as the system knows them.
std::string PrimaryDisplayDeviceName();

} // namespace displaypanel
