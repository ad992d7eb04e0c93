#include "primary_displays.h"

namespace tray {

namespace {

void SelectAndRefreshPrimaries(CHardware& hardware)
{
    ForEachPrimaryDisplay(hardware, [&hardware](UINT a, UINT d) {
        hardware.SelectDisplay(a, d);
        hardware.RefreshDisplayState();
        return true;
    });
}

} // namespace

void RefreshPrimaryDisplays(CHardware& hardware)
{
    DWORD adapter = 0;
    DWORD display = 0;
    hardware.GetSelectedDisplay(&adapter, &display);
    if (AfxRunQuietly([&hardware] { SelectAndRefreshPrimaries(hardware); }))
        return;
    try {
        hardware.RebuildIfChanged();
        SelectAndRefreshPrimaries(hardware);
    } catch (...) {
        SelectAgainIfNone(hardware, adapter, display);
        throw;
    }
}

void SelectAgainIfNone(CHardware& hardware, DWORD adapter, DWORD display)
{
    AfxRunQuietly([&] {
        if (!hardware.GetDisplayDC())
            hardware.SelectDisplay(adapter, display);
    });
}

} // namespace tray
