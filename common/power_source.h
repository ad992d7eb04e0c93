// The power source of the machine, and what the display driver is told of
// it: the tray program and the extension both go through here.
//
// On a machine where the simulated adapter is switched on (the machine-wide
// switch described in vqxsim.h), the simulated power source answers instead
// of GetSystemPowerStatus, so that mains and battery can be shown and tested
// without a notebook.
#pragma once

#include <windows.h>

class CHardware;

namespace power {

// GetSystemPowerStatus, or the simulated adapter's SimGetSystemPowerStatus.
BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status);

// Whether the display driver of this system wants to hear the AC line
// status (only the driver of the 95 family does).
bool DriverWantsStatus(CHardware& hardware);

// The AC line status to pass to the driver now; false when the driver does
// not want it or the status cannot be read.
bool StatusForDriver(CHardware& hardware, BYTE& acLineStatus);

// Posts the power-status broadcast (WM_POWERBROADCAST with
// PBT_APMPOWERSTATUSCHANGE) to every application, as after a change of the
// power source, so that whoever tells the driver does so again.
void BroadcastStatusChange();

} // namespace power
