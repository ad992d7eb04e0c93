#include "display_seam.h"

#include <string>

#include "framework.h"
#include "vqxsim.h"

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

// The simulated adapter's DLL, named by the machine-wide switch and loaded
// from this library's folder; null when the switch is off.
HMODULE LoadSimulatedAdapter()
{
    CRegKey key;
    std::string dll;
    if (key.Open(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY) != ERROR_SUCCESS ||
        key.QueryString(SIM_SWITCH_ADAPTER_VALUE, dll) != ERROR_SUCCESS || dll.empty())
        return nullptr;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof(path));
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    if (HMODULE module = LoadLibraryA((folder + dll).c_str()))
        return module;
    return LoadLibraryA(dll.c_str());
}

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
    // Kept loaded for the life of the process: freeing a library while this
    // one is being unloaded is not safe.
    HMODULE sim = LoadSimulatedAdapter();
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
    if (!complete) {
        FreeLibrary(sim);
        return f;
    }
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
