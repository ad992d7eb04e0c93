#include "display_seam.h"

#include "framework.h"
#include "switch_client.h"

namespace display {
namespace {

struct Functions {
    decltype(&::CreateDCA) createDC = &::CreateDCA;
    decltype(&::DeleteDC) deleteDC = &::DeleteDC;
    decltype(&::ExtEscape) extEscape = &::ExtEscape;
    decltype(&::GetDeviceCaps) getDeviceCaps = &::GetDeviceCaps;
    decltype(&::EnumDisplaySettingsA) enumDisplaySettings = &::EnumDisplaySettingsA;
    decltype(&::ChangeDisplaySettingsA) changeDisplaySettings = &::ChangeDisplaySettingsA;
    EnumDisplayDevicesFunction enumDisplayDevices = nullptr;            // simulated only
    BOOL (WINAPI* hasEnumDisplayDevices)() = nullptr;
    ChangeDisplaySettingsExFunction changeDisplaySettingsEx = nullptr;  // simulated only
    bool simulated = false;
};

template <class T>
bool Bind(HMODULE module, const char* name, T& function)
{
    T address = GetProcAddressAs<T>(module, name);
    if (address)
        function = address;
    return address != nullptr;
}

Functions Resolve()
{
    Functions f;
    // The simulated adapter's DLL, named by the machine-wide switch and
    // loaded from this library's folder; empty when the switch is off.
    CModule sim = vqxsim::LoadSwitchedAdapter(AfxGetInstanceHandle());
    if (!sim)
        return f;
    Functions s;
    const bool complete =
        Bind(sim, "SimCreateDCA", s.createDC) && Bind(sim, "SimDeleteDC", s.deleteDC) &&
        Bind(sim, "SimExtEscape", s.extEscape) && Bind(sim, "SimGetDeviceCaps", s.getDeviceCaps) &&
        Bind(sim, "SimEnumDisplaySettingsA", s.enumDisplaySettings) &&
        Bind(sim, "SimChangeDisplaySettingsA", s.changeDisplaySettings) &&
        Bind(sim, "SimChangeDisplaySettingsExA", s.changeDisplaySettingsEx) &&
        Bind(sim, "SimHasEnumDisplayDevices", s.hasEnumDisplayDevices) &&
        Bind(sim, "SimEnumDisplayDevicesA", s.enumDisplayDevices);
    if (!complete)
        return f;
    // Kept loaded for the life of the process: freeing a library while this
    // one is being unloaded is not safe.
    sim.Release();
    s.simulated = true;
    return s;
}

const Functions& Current()
{
    static const Functions functions = Resolve();
    return functions;
}

} // namespace

HDC CreateDC(const char* deviceName)
{
    return Current().createDC(deviceName, nullptr, nullptr, nullptr);
}

BOOL DeleteDC(HDC dc)
{
    return Current().deleteDC(dc);
}

int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output)
{
    return Current().extEscape(dc, escape, inputSize, input, outputSize, output);
}

int GetDeviceCaps(HDC dc, int index)
{
    return Current().getDeviceCaps(dc, index);
}

BOOL EnumDisplaySettings(const char* deviceName, DWORD modeIndex, DEVMODEA* mode)
{
    return Current().enumDisplaySettings(deviceName, modeIndex, mode);
}

LONG ChangeDisplaySettings(DEVMODEA* mode, DWORD flags)
{
    return Current().changeDisplaySettings(mode, flags);
}

// The simulated system may or may not have EnumDisplayDevicesA, and may
// change its mind; it has ChangeDisplaySettingsExA where the real one does.
EnumDisplayDevicesFunction SubstituteEnumDisplayDevices(EnumDisplayDevicesFunction resolved)
{
    const Functions& f = Current();
    if (!f.simulated)
        return resolved;
    return f.hasEnumDisplayDevices() ? f.enumDisplayDevices : nullptr;
}

ChangeDisplaySettingsExFunction SubstituteChangeDisplaySettingsEx(ChangeDisplaySettingsExFunction resolved)
{
    const Functions& f = Current();
    if (!f.simulated || !resolved)
        return resolved;
    return f.changeDisplaySettingsEx;
}

bool IsSimulated()
{
    return Current().simulated;
}

} // namespace display
