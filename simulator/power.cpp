#include "power.h"

#include "shared_area.h"

namespace vqxsim {

bool IsSimulatedACLineStatus(DWORD status)
{
    return status == AC_LINE_OFFLINE || status == AC_LINE_ONLINE || status == AC_LINE_UNKNOWN;
}

SYSTEM_POWER_STATUS PowerStatusOf(DWORD acLineStatus)
{
    // A notebook whose battery charges on mains and discharges without; how
    // full it is, and how long it lasts, is not simulated.
    SYSTEM_POWER_STATUS status = {};
    status.ACLineStatus = static_cast<BYTE>(acLineStatus);
    switch (acLineStatus) {
    case AC_LINE_ONLINE:
        status.BatteryFlag = BATTERY_FLAG_CHARGING;
        break;
    case AC_LINE_OFFLINE:
        status.BatteryFlag = 0;
        break;
    default:
        status.BatteryFlag = BATTERY_FLAG_UNKNOWN;
        break;
    }
    status.BatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    status.BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    return status;
}

} // namespace vqxsim

using namespace vqxsim;

extern "C" BOOL WINAPI SimGetSystemPowerStatus(LPSYSTEM_POWER_STATUS status)
{
    if (!status)
        return FALSE;
    SharedLock lock;
    if (!lock)
        return FALSE;
    *status = PowerStatusOf(lock.State().acLineStatus);
    return TRUE;
}

extern "C" BOOL WINAPI SimSetACLineStatus(BYTE status)
{
    if (!IsSimulatedACLineStatus(status))
        return FALSE;
    SharedLock lock;
    if (!lock)
        return FALSE;
    lock.State().acLineStatus = status;
    return TRUE;
}
