// The simulated power source: what SimGetSystemPowerStatus reports, and
// which AC line statuses the simulated machine can be in (vqxsim.h).
#pragma once

#include "vqxsim.h"

namespace vqxsim {

// AC_LINE_OFFLINE, AC_LINE_ONLINE or AC_LINE_UNKNOWN.
bool IsSimulatedACLineStatus(DWORD status);

// The whole power status of a machine whose AC line status is `acLineStatus`.
SYSTEM_POWER_STATUS PowerStatusOf(DWORD acLineStatus);

} // namespace vqxsim
