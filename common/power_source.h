// The power source of the machine, as GetSystemPowerStatus reports it.
//
// On a machine where the simulated adapter is switched on (the machine-wide
// switch described in vqxsim.h), the simulated power source answers instead,
// so that mains and battery can be shown and tested without a notebook.
#pragma once

#include <windows.h>

namespace power {

// GetSystemPowerStatus, or the simulated adapter's SimGetSystemPowerStatus.
BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status);

} // namespace power
