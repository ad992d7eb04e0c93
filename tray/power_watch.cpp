#include "power_watch.h"

#include "hardware.h"
#include "power_source.h"
#include "primary_displays.h"

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
    if (AfxRunQuietly([this] { m_hardware.NotifyPowerStatus(m_lastStatus); }))
        return;
    // The display this process talks to the driver through may be one the
    // system no longer has (renamed or removed since it was selected): the
    // primary display is found again, as for the menu, and asked once more.
    CSelectAgainOnFailure selection(m_hardware);
    SelectPrimaryDisplaysAgain(m_hardware);
    m_hardware.NotifyPowerStatus(m_lastStatus);
}

} // namespace tray
