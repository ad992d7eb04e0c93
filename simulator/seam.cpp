// The seam exports: the display functions of the system, answered from the
// simulated state.
#include "device_contexts.h"
#include "display_settings.h"
#include "driver.h"
#include "journal.h"
#include "shared_area.h"

#include <cstddef>
#include <cstring>

using namespace vqxsim;

namespace {

void CopyField(char* target, size_t size, const char* text)
{
    lstrcpynA(target, text, static_cast<int>(size));
}

// Writes a field of a caller's structure only when the caller's size covers it.
template <typename T>
bool Fits(DWORD callerSize, size_t offset)
{
    return callerSize >= offset + sizeof(T);
}

void FillDevMode(const SimDevice& d, const SimMode& mode, DEVMODEA* dm)
{
    CopyField(reinterpret_cast<char*>(dm->dmDeviceName), sizeof(dm->dmDeviceName), d.deviceString);
    dm->dmSpecVersion = DM_SPECVERSION;
    dm->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYORIENTATION;
    dm->dmDisplayOrientation = OrientationOf(d.rotation);
    dm->dmBitsPerPel = mode.bitsPerPel;
    dm->dmPelsWidth = mode.width;
    dm->dmPelsHeight = mode.height;
    dm->dmDisplayFlags = 0;
    if (Fits<DWORD>(dm->dmSize, offsetof(DEVMODEA, dmDisplayFrequency))) {
        dm->dmFields |= DM_DISPLAYFREQUENCY;
        dm->dmDisplayFrequency = mode.frequency;
    }
}

LONG ChangeMode(const char* deviceName, bool byName, DEVMODEA* dm, DWORD flags)
{
    SharedLock lock;
    if (!lock)
        return DISP_CHANGE_FAILED;
    int device = FindDevice(lock.State(), byName ? deviceName : nullptr);
    LONG result = ChangeDeviceMode(lock.State(), device, dm, flags);
    SimJournalEntry& e = NewJournalEntry(lock.Area().journal, SIM_JOURNAL_MODE_CHANGE,
                                         byName ? deviceName : nullptr);
    e.extended = byName;
    e.hasMode = dm != nullptr;
    if (dm) {
        e.fields = dm->dmFields;
        e.width = dm->dmPelsWidth;
        e.height = dm->dmPelsHeight;
        e.bitsPerPel = dm->dmBitsPerPel;
        e.frequency = dm->dmDisplayFrequency;
        e.orientation = dm->dmDisplayOrientation;
    }
    e.flags = flags;
    e.result = result;
    return result;
}

bool LooksLikeDisplay(const char* name)
{
    return lstrcmpiA(name, "DISPLAY") == 0 || std::strncmp(name, "\\\\.\\", 4) == 0;
}

} // namespace

extern "C" BOOL WINAPI SimEnumDisplayDevicesA(LPCSTR device, DWORD index, PDISPLAY_DEVICEA info, DWORD)
{
    SharedLock lock;
    if (!lock)
        return FALSE;
    const SimState& s = lock.State();
    if (!s.hasEnumDisplayDevices) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    // Monitors of a device are not simulated.
    if (device || !info || index >= s.deviceCount || !Fits<DWORD>(info->cb, offsetof(DISPLAY_DEVICEA, StateFlags)))
        return FALSE;
    const SimDevice& d = s.devices[index];
    CopyField(info->DeviceName, sizeof(info->DeviceName), d.deviceName);
    CopyField(info->DeviceString, sizeof(info->DeviceString), d.deviceString);
    info->StateFlags = (d.attached ? DISPLAY_DEVICE_ATTACHED_TO_DESKTOP : 0)
        | (d.primary ? DISPLAY_DEVICE_PRIMARY_DEVICE : 0);
    if (info->cb >= offsetof(DISPLAY_DEVICEA, DeviceID) + sizeof(info->DeviceID))
        CopyField(info->DeviceID, sizeof(info->DeviceID), d.deviceId);
    if (info->cb >= sizeof(DISPLAY_DEVICEA))
        CopyField(info->DeviceKey, sizeof(info->DeviceKey), d.deviceKey);
    return TRUE;
}

extern "C" BOOL WINAPI SimEnumDisplaySettingsA(LPCSTR deviceName, DWORD index, DEVMODEA* dm)
{
    SharedLock lock;
    if (!lock || !dm || !Fits<DWORD>(dm->dmSize, offsetof(DEVMODEA, dmDisplayFlags)))
        return FALSE;
    const SimState& s = lock.State();
    int device = FindDevice(s, deviceName);
    if (device < 0)
        return FALSE;
    SimMode mode;
    if (index == ENUM_CURRENT_SETTINGS || index == ENUM_REGISTRY_SETTINGS)
        mode = s.devices[device].current;
    else if (!DeviceMode(s, device, index, mode))
        return FALSE;
    FillDevMode(s.devices[device], mode, dm);
    return TRUE;
}

extern "C" LONG WINAPI SimChangeDisplaySettingsA(DEVMODEA* dm, DWORD flags)
{
    return ChangeMode(nullptr, false, dm, flags);
}

extern "C" LONG WINAPI SimChangeDisplaySettingsExA(LPCSTR device, DEVMODEA* dm, HWND, DWORD flags, LPVOID)
{
    return ChangeMode(device, true, dm, flags);
}

extern "C" HDC WINAPI SimCreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init)
{
    const char* name = device && *device ? device : driver;
    if (!name || !LooksLikeDisplay(name))
        return CreateDCA(driver, device, output, init);
    char deviceName[32];
    {
        SharedLock lock;
        int found = lock ? FindDevice(lock.State(), name) : -1;
        if (found < 0 || !lock.State().devices[found].attached) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        CopyField(deviceName, sizeof(deviceName), lock.State().devices[found].deviceName);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc)
        RememberDeviceContext(dc, deviceName);
    return dc;
}

extern "C" BOOL WINAPI SimDeleteDC(HDC dc)
{
    ForgetDeviceContext(dc);
    return DeleteDC(dc);
}

extern "C" int WINAPI SimExtEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPSTR output)
{
    std::string deviceName;
    if (!DeviceOfContext(dc, deviceName))
        return ExtEscape(dc, escape, inputSize, input, outputSize, output);
    if (escape != SIM_ESCAPE)
        return 0;
    SharedLock lock;
    if (!lock)
        return 0;
    DWORD request[SIM_REQUEST_WORDS] = {};
    if (input && inputSize > 0)
        std::memcpy(request, input, inputSize < SIM_REQUEST_BYTES ? inputSize : SIM_REQUEST_BYTES);
    DWORD reply[SIM_REPLY_WORDS];
    int device = FindDevice(lock.State(), deviceName.c_str());
    bool complete = input && output && inputSize >= SIM_REQUEST_BYTES && outputSize >= SIM_REPLY_BYTES;
    DWORD status = complete && device >= 0 ? AnswerEscape(lock.State(), device, request, reply) : SIM_NO_ANSWER;
    SimJournalEntry& e = NewJournalEntry(lock.Area().journal, SIM_JOURNAL_ESCAPE, deviceName.c_str());
    std::memcpy(e.request, request, sizeof(request));
    e.status = status;
    if (status == SIM_NO_ANSWER)
        return 0;
    std::memcpy(output, reply, SIM_REPLY_BYTES);
    return SIM_ESCAPE;
}

extern "C" int WINAPI SimGetDeviceCaps(HDC dc, int index)
{
    std::string deviceName;
    if (!DeviceOfContext(dc, deviceName))
        return GetDeviceCaps(dc, index);
    SimMode mode;
    {
        SharedLock lock;
        int device = lock ? FindDevice(lock.State(), deviceName.c_str()) : -1;
        if (device < 0)
            return GetDeviceCaps(dc, index);
        mode = lock.State().devices[device].current;
    }
    switch (index) {
    case HORZRES:
    case DESKTOPHORZRES:
        return static_cast<int>(mode.width);
    case VERTRES:
    case DESKTOPVERTRES:
        return static_cast<int>(mode.height);
    case BITSPIXEL:
        return static_cast<int>(mode.bitsPerPel);
    case PLANES:
        return 1;
    case VREFRESH:
        return static_cast<int>(mode.frequency);
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    default:
        return GetDeviceCaps(dc, index);
    }
}

extern "C" BOOL WINAPI SimHasEnumDisplayDevices(void)
{
    SharedLock lock;
    return lock && lock.State().hasEnumDisplayDevices;
}
