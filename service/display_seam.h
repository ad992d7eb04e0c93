// The service library's only path to the display devices and their driver.
//
// Normally these are the system's own functions.  On a machine where the
// simulated adapter is switched on (value "Adapter" of the key
// HKLM "SOFTWARE\Quorvel Inc.\Tarvok VQX Control Panel\Simulation" names
// its DLL), every process of the system uses the simulated adapter's functions
// instead, so that all of them see one and the same adapter.
//
// EnumDisplayDevicesA and ChangeDisplaySettingsExA are resolved by their
// callers from USER32.DLL (not every supported Windows has them);
// SubstituteDisplayFunction hands back the simulated adapter's function in
// their place, or null where the simulated system lacks it.
#pragma once

#include <windows.h>

namespace display {

HDC CreateDC(const char* deviceName);
BOOL DeleteDC(HDC dc);
int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output);
int GetDeviceCaps(HDC dc, int index);
BOOL EnumDisplaySettings(const char* deviceName, DWORD modeIndex, DEVMODEA* mode);
LONG ChangeDisplaySettings(DEVMODEA* mode, DWORD flags);

// `resolved` is what GetProcAddress found for `name` in USER32.DLL.
FARPROC SubstituteDisplayFunction(const char* name, FARPROC resolved);

// TRUE when the simulated adapter stands in for the display.
bool IsSimulated();

} // namespace display
