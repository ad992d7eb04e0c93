#include "power_source.h"

#include "framework.h"
#include "hardware.h"
#include "os_service.h"
#include "switch_client.h"

namespace power {
namespace {

using GetSystemPowerStatusFunction = decltype(&::GetSystemPowerStatus);

// The simulated adapter's power source when the machine-wide switch names a
// DLL that has one (loaded from this module's folder), else the system's.
GetSystemPowerStatusFunction Resolve()
{
    CModule sim = vqxsim::LoadSwitchedAdapter(AfxGetInstanceHandle());
    auto simulated = sim ? GetProcAddressAs<GetSystemPowerStatusFunction>(sim, "SimGetSystemPowerStatus") : nullptr;
    if (!simulated)
        return &::GetSystemPowerStatus;
    // Kept loaded for the life of the process: freeing a library while this
    // module is being unloaded is not safe.
    sim.Release();
    return simulated;
}

} // namespace

BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status)
{
    static const GetSystemPowerStatusFunction function = Resolve();
    return function(status);
}

bool DriverWantsStatus(CHardware& hardware)
{
    return ::DriverWantsPowerStatus(hardware.Settings()->GetOSVersion());
}

bool StatusForDriver(CHardware& hardware, BYTE& acLineStatus)
{
    SYSTEM_POWER_STATUS status = {};
    if (!DriverWantsStatus(hardware) || !power::GetSystemPowerStatus(&status))
        return false;
    acLineStatus = status.ACLineStatus;
    return true;
}

// Windows 95 exports the function from USER32 only as
// "BroadcastSystemMessage"; the names with A and W came with later
// releases.  A module that imported BroadcastSystemMessageA would not load
// there at all, so it is looked up when it is used, the undecorated name
// first.
void BroadcastStatusChange()
{
    using BroadcastFunction = long(WINAPI*)(DWORD, DWORD*, UINT, WPARAM, LPARAM);
    HMODULE user32 = GetModuleHandleA("USER32");
    auto broadcast = GetProcAddressAs<BroadcastFunction>(user32, "BroadcastSystemMessage");
    if (!broadcast)
        broadcast = GetProcAddressAs<BroadcastFunction>(user32, "BroadcastSystemMessageA");
    if (!broadcast)
        return;
    DWORD recipients = BSM_ALLCOMPONENTS;
    broadcast(BSF_POSTMESSAGE, &recipients, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
}

} // namespace power
