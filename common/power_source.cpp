#include "power_source.h"

namespace power {

BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status)
{
    return ::GetSystemPowerStatus(status);
}

} // namespace power
