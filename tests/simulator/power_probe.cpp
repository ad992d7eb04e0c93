// A module of the system's kind for the power seam's tests (power_probe.h).
#include "power_probe.h"
#include "power_source.h"

int main()
{
    SYSTEM_POWER_STATUS status = {};
    return power::GetSystemPowerStatus(&status) ? status.ACLineStatus : static_cast<int>(kPowerProbeFailed);
}
