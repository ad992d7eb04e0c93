// The service library's only path to the display devices and their driver.
//
// Normally these are the system's own functions.  On a machine where the
// simulated adapter is switched on (value "Adapter" of the key
// HKLM "SOFTWARE\Quorvel Inc.\Tarvok VQX Control Panel\Simulation" names
// its DLL), every process of the system uses the simulated adapter's functions
// instead, so that all of them see one and the same adapter.
//
// EnumDisplayDevicesA and ChangeDisplaySettingsExA are resolved by their
// callers from USER32.DLL (not every supported Windows has them; see
// optional_user32.h); the Substitute functions hand back the simulated
// adapter's function in their place, or null where the simulated system
// lacks it.
#pragma once

#include <windows.h>

namespace display {

HDC CreateDC(const char* deviceName);
BOOL DeleteDC(HDC dc);
int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output);
int GetDeviceCaps(HDC dc, int index);
BOOL EnumDisplaySettings(const char* deviceName, DWORD modeIndex, DEVMODEA* mode);
LONG ChangeDisplaySettings(DEVMODEA* mode, DWORD flags);

using EnumDisplayDevicesFunction = decltype(&::EnumDisplayDevicesA);
using ChangeDisplaySettingsExFunction = decltype(&::ChangeDisplaySettingsExA);

// `resolved` is what USER32.DLL offers (null when it has no such function).
EnumDisplayDevicesFunction SubstituteEnumDisplayDevices(EnumDisplayDevicesFunction resolved);
ChangeDisplaySettingsExFunction SubstituteChangeDisplaySettingsEx(ChangeDisplaySettingsExFunction resolved);

// A display device context of the seam, deleted through it.
class CDisplayDC {
public:
    CDisplayDC() = default;
    explicit CDisplayDC(HDC dc) : m_dc(dc) {}
    ~CDisplayDC() { Reset(); }
    CDisplayDC(const CDisplayDC&) = delete;
    CDisplayDC& operator=(const CDisplayDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }
    void Reset(HDC dc = nullptr)
    {
        if (m_dc)
            display::DeleteDC(m_dc);
        m_dc = dc;
    }

private:
    HDC m_dc = nullptr;
};

// TRUE when the simulated adapter stands in for the display.
bool IsSimulated();

} // namespace display
