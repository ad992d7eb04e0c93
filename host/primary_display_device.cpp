#include "primary_display_device.h"

#include <windows.h>

#include "display_panel_contract.h"
#include "procaddress.h"

namespace displaypanel {

std::string PrimaryDisplayDeviceName()
{
    // Looked up at run time: Windows 95 has no EnumDisplayDevicesA.
    using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);
    const auto enumDevices = GetProcAddressAs<EnumDisplayDevicesFn>(GetModuleHandleA("user32.dll"), "EnumDisplayDevicesA");
    if (!enumDevices)
        return kFallbackDisplayDevice;

    std::string first;
    DISPLAY_DEVICEA device = { sizeof(device) };
    for (DWORD index = 0; enumDevices(nullptr, index, &device, 0); ++index) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
            return device.DeviceName;
        if (first.empty())
            first = device.DeviceName;
        device = { sizeof(device) };
    }
    return first.empty() ? std::string(kFallbackDisplayDevice) : first;
}

} // namespace displaypanel
