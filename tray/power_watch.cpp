#include "power_watch.h"

#include "hardware.h"
#include "os_service.h"
#include "power_source.h"
#include "procaddress.h"

namespace tray {

bool CPowerWatch::DriverWantsPowerStatus() const
{
    return ::DriverWantsPowerStatus(m_hardware.Settings()->GetOSVersion());
}

void CPowerWatch::BroadcastFirstStatus()
{
    if (!DriverWantsPowerStatus())
        return;
    using BroadcastFunction = long (WINAPI*)(DWORD, DWORD*, UINT, WPARAM, LPARAM);
    HMODULE user32 = GetModuleHandleA("USER32");
    auto broadcast = GetProcAddressAs<BroadcastFunction>(user32, "BroadcastSystemMessage");
    if (!broadcast)
        broadcast = GetProcAddressAs<BroadcastFunction>(user32, "BroadcastSystemMessageA");
    if (!broadcast)
        return;
    DWORD recipients = BSM_ALLCOMPONENTS;
    broadcast(BSF_POSTMESSAGE, &recipients, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
}

void CPowerWatch::CheckPowerStatus()
{
    if (!DriverWantsPowerStatus())
        return;
    SYSTEM_POWER_STATUS status = {};
    if (!power::GetSystemPowerStatus(&status) || status.ACLineStatus == m_lastStatus)
        return;
    m_lastStatus = status.ACLineStatus;
    m_hardware.NotifyPowerStatus(m_lastStatus);
}

} // namespace tray
