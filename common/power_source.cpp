#include "power_source.h"

#include "framework.h"
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

} // namespace power
