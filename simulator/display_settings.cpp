#include "display_settings.h"

namespace vqxsim {
namespace {

bool Matches(const char* deviceName, const char* name)
{
    return lstrcmpiA(deviceName, name) == 0;
}

int SystemPrimary(const SimState& s)
{
    for (DWORD i = 0; i < s.deviceCount; ++i)
        if (s.devices[i].primary && s.devices[i].attached)
            return static_cast<int>(i);
    for (DWORD i = 0; i < s.deviceCount; ++i)
        if (s.devices[i].attached)
            return static_cast<int>(i);
    return -1;
}

int AdapterPrimary(const SimState& s)
{
    int firstAttached = -1;
    for (DWORD i = 0; i < s.deviceCount; ++i) {
        const SimDevice& d = s.devices[i];
        if (d.adapter == SIM_FOREIGN || !d.attached)
            continue;
        if (d.primary)
            return static_cast<int>(i);
        if (firstAttached < 0)
            firstAttached = static_cast<int>(i);
    }
    return firstAttached >= 0 ? firstAttached : SystemPrimary(s);
}

bool SameMode(const SimMode& a, const SimMode& b)
{
    return a.width == b.width && a.height == b.height && a.bitsPerPel == b.bitsPerPel
        && a.frequency == b.frequency;
}

} // namespace

int FindDevice(const SimState& s, const char* name)
{
    if (!name || !*name)
        return SystemPrimary(s);
    for (DWORD i = 0; i < s.deviceCount; ++i)
        if (Matches(s.devices[i].deviceName, name))
            return static_cast<int>(i);
    if (Matches("DISPLAY", name))
        return AdapterPrimary(s);
    return -1;
}

bool DeviceMode(const SimState& s, int device, DWORD index, SimMode& mode)
{
    const SimDevice& d = s.devices[device];
    if (d.adapter == SIM_FOREIGN) {
        mode = d.current;
        return index == 0;
    }
    const SimAdapter& a = s.adapters[d.adapter];
    if (index >= a.modeCount)
        return false;
    mode = a.modes[index];
    if (d.rotation == 1 || d.rotation == 2) {
        DWORD width = mode.width;
        mode.width = mode.height;
        mode.height = width;
    }
    if (a.mode == SIM_MODE_DUAL_APP)
        mode.width *= 2;
    return true;
}

LONG ChangeDeviceMode(SimState& s, int device, const DEVMODEA* dm, DWORD flags)
{
    if (!dm)
        return DISP_CHANGE_SUCCESSFUL;
    if (device < 0)
        return DISP_CHANGE_BADPARAM;
    SimDevice& d = s.devices[device];
    SimMode wanted = d.current;
    if (dm->dmFields & DM_PELSWIDTH)
        wanted.width = dm->dmPelsWidth;
    if (dm->dmFields & DM_PELSHEIGHT)
        wanted.height = dm->dmPelsHeight;
    if (dm->dmFields & DM_BITSPERPEL)
        wanted.bitsPerPel = dm->dmBitsPerPel;
    if (dm->dmFields & DM_DISPLAYFREQUENCY)
        wanted.frequency = dm->dmDisplayFrequency;

    LONG result = s.modeChangeResult;
    if (result == SIM_MODE_CHANGE_NORMAL) {
        result = DISP_CHANGE_BADMODE;
        SimMode mode;
        for (DWORD i = 0; DeviceMode(s, device, i, mode); ++i)
            if (SameMode(mode, wanted))
                result = DISP_CHANGE_SUCCESSFUL;
    }
    if (result == DISP_CHANGE_SUCCESSFUL && !(flags & CDS_TEST))
        d.current = wanted;
    return result;
}

DWORD OrientationOf(DWORD rotation)
{
    static const DWORD kOrientation[] = { DMDO_DEFAULT, DMDO_90, DMDO_270, DMDO_180 };
    return rotation < 4 ? kOrientation[rotation] : DMDO_DEFAULT;
}

} // namespace vqxsim
