#include "power_watch.h"

#include "hardware.h"
#include "power_source.h"

namespace tray {

void CPowerWatch::BroadcastFirstStatus()
{
    if (power::DriverWantsStatus(m_hardware))
        power::BroadcastStatusChange();
}

void CPowerWatch::CheckPowerStatus()
{
    BYTE status = 0;
    if (!power::StatusForDriver(m_hardware, status) || status == m_lastStatus)
        return;
    m_lastStatus = status;
    m_hardware.NotifyPowerStatus(m_lastStatus);
}

} // namespace tray
