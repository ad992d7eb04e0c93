// CHardware: construction, the shared records, display selection and the
// refresh of the shared block from the settings and the driver.
#include "hardware.h"

#include <mbstring.h>

#include "base_exception.h"
#include "display_seam.h"
#include "hotkey_table.h"
#include "os_service.h"
#include "resource_ids.h"
#include "service_registry.h"

const char kSharedBlockName[] = "6B1E2D94-7A0C-4F3B-9D56-2E8C4A71B0F5";
const char kConstructionMutexName[] = "{A47D03E9-5C21-4B86-AE3F-71C9D2B0E658}";


CHardware* CHardware::Acquire()
{
    return AcquireService<CHardware>("CHardware");
}

CHardware::CHardware()
{
    CServiceReference<COSService> settings;
    m_settings = settings.Get();

    CHandle construction(CreateMutexA(nullptr, FALSE, kConstructionMutexName));
    if (!construction)
        ThrowServiceError(IDS_ERR_SHARED_MUTEX, static_cast<int>(GetLastError()));
    WaitForSingleObject(construction, INFINITE);
    try {
        // A counting pass sizes the block; the process that creates it fills
        // it with a second pass, which also selects the attached displays.
        m_block.Open(kSharedBlockName, Enumerate());
        if (m_block.IsCreated())
            Enumerate();
    } catch (...) {
        ReleaseMutex(construction);
        ReleaseDisplayDC();
        throw;
    }
    ReleaseMutex(construction);
    settings.Detach();  // kept: returned by the destructor
}

CHardware::~CHardware()
{
    ReleaseDisplayDC();
    if (m_settings)
        CServiceRegistry::Instance().Release(m_settings);
    m_block.Close();
}

void CHardware::ReleaseDisplayDC()
{
    if (m_displayDC)
        display::DeleteDC(m_displayDC);
    m_displayDC = nullptr;
    m_adapter = 0;
    m_display = 0;
}

HardwareHeader* CHardware::GetHeader(BOOL mustExist)
{
    HardwareHeader* header = m_block.Data();
    if (!header && mustExist)
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 0);
    return header;
}

// The walk stays inside the block whatever its counts say (any process of
// the session can write them): a record that would lie outside is a range
// error.  Unchecked access may return the address just past the last record,
// but never one beyond the block.
AdapterRecord* CHardware::GetAdapter(UINT index, BOOL check)
{
    const uint8_t wanted = static_cast<uint8_t>(index);
    if (check && wanted >= GetHeader(TRUE)->adapterCount)
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 1);
    BYTE* at = reinterpret_cast<BYTE*>(GetHeader(TRUE)) + sizeof(HardwareHeader);
    for (uint8_t i = 0; i < wanted; ++i) {
        if (!m_block.Contains(at, sizeof(AdapterRecord)))
            ThrowServiceError(IDS_ERR_RECORD_RANGE, 1);
        at += sizeof(AdapterRecord) + sizeof(DisplayRecord) * reinterpret_cast<AdapterRecord*>(at)->displayCount;
    }
    if (!m_block.Contains(at, check ? sizeof(AdapterRecord) : 0))
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 1);
    return reinterpret_cast<AdapterRecord*>(at);
}

DisplayRecord* CHardware::GetDisplay(UINT adapter, UINT display, BOOL check)
{
    AdapterRecord* record = GetAdapter(adapter, check);
    const uint8_t wanted = static_cast<uint8_t>(display);
    if (check && wanted >= record->displayCount)
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 2);
    DisplayRecord* at = reinterpret_cast<DisplayRecord*>(reinterpret_cast<BYTE*>(record) + sizeof(AdapterRecord)) + wanted;
    if (!m_block.Contains(at, check ? sizeof(DisplayRecord) : 0))
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 2);
    return at;
}

AdapterRecord* CHardware::GetCurrentAdapter()
{
    return GetAdapter(m_adapter, TRUE);
}

DisplayRecord* CHardware::GetCurrentDisplay()
{
    return GetDisplay(m_adapter, m_display, TRUE);
}

void CHardware::SelectDisplay(UINT adapter, UINT display)
{
    ReleaseDisplayDC();
    const std::string name = GetDisplay(adapter, display, TRUE)->deviceName;

    CDisplayEnumerator devices(*m_settings);
    DisplayDeviceInfo info;
    for (DWORD index = 0; devices.Get(index, info); ++index) {
        if (name != info.device.DeviceName)
            continue;
        if (!(info.device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP))
            ThrowServiceError(IDS_ERR_SELECT_DISPLAY, static_cast<int>(GetLastError()));
        m_displayDC = display::CreateDC(name.c_str());
        if (!m_displayDC)
            ThrowServiceError(IDS_ERR_SELECT_DISPLAY, static_cast<int>(GetLastError()));
        m_adapter = static_cast<uint8_t>(adapter);
        m_display = static_cast<uint8_t>(display);
        return;
    }
    ThrowServiceError(IDS_ERR_SELECT_DISPLAY, static_cast<int>(GetLastError()));
}

void CHardware::SelectDisplayByName(const char* deviceName)
{
    HardwareHeader* header = GetHeader(TRUE);
    for (UINT a = 0; a < header->adapterCount; ++a) {
        const AdapterRecord* adapter = GetAdapter(a, TRUE);
        for (UINT d = 0; d < adapter->displayCount; ++d) {
            if (_mbsicmp(reinterpret_cast<const unsigned char*>(GetDisplay(a, d, TRUE)->deviceName),
                         reinterpret_cast<const unsigned char*>(deviceName)) == 0) {
                SelectDisplay(a, d);
                return;
            }
        }
    }
    ThrowServiceError(IDS_ERR_DISPLAY_NOT_FOUND, 0);
}

void CHardware::GetSelectedDisplay(DWORD* adapter, DWORD* display)
{
    *adapter = m_adapter;
    *display = m_display;
}

HDC CHardware::GetDisplayDC()
{
    return m_displayDC;
}

int CHardware::Refresh()
{
    HardwareHeader* h = GetHeader(FALSE);
    AdapterRecord* a = GetCurrentAdapter();
    GetCurrentDisplay();
    COSService& s = *m_settings;
    {
        CSharedLock lock(m_block);
        h->osClass = s.GetOSVersion();
        h->hideTrayIcon = s.GetHideTrayIcon(0);
        h->hideGammaPage = s.GetHideGammaPage(0);
        h->dsMessage = s.GetDSMessage(0);
        h->crtDetection = s.GetCRTDetection(1);
        h->tvDetection = s.GetTVDetection(1);

        Identify(*a);

        h->enableCrt = s.GetEnableCRT(1);
        h->enableTv = s.GetEnableTV(GetDriverValue(32));
        h->enableSecondaryPanel = s.GetEnableSecondaryPanel(GetDriverValue(11));
        h->enableDualApp = s.GetEnableDualApp(0);
        h->enableDualView = s.GetEnableDualView(0);
        if (h->osClass != 3 && h->osClass != 4) {
            h->enableDualApp = 0;
            h->enableDualView = 0;
        }
        if (!h->enableCrt && !h->enableSecondaryPanel) {
            h->enableDualApp = 0;
            if (!h->enableTv)
                h->enableDualView = 0;
        }
        h->enableReduceOn = s.GetEnableReduceOn(0) && h->osClass != 3;
        h->enableRotation = s.GetEnableRotation(0);
        h->enableRt90 = s.GetEnableRT90(1);
        h->enableRt180 = s.GetEnableRT180(1);
        h->enableRt270 = s.GetEnableRT270(1);
        if (!h->enableRt90 && !h->enableRt180 && !h->enableRt270)
            h->enableRotation = 0;

        HotKeyTable defaults;
        GetDefaultHotKeyTable(&defaults);
        h->toggleSModeHotKey = s.GetEnableToggleSModeHK(0);
        LoadAdapterHotKeyTables(s, defaults, h->adapterCount,
                                [this](int index) { return GetAdapter(static_cast<UINT>(index), TRUE); });
    }
    return RefreshStatus();
}

BOOL CHardware::RefreshDisplayState()
{
    RefreshStatus();
    GetHeader(FALSE);
    AdapterRecord* a = GetCurrentAdapter();
    DisplayRecord* d = GetCurrentDisplay();
    CSharedLock lock(m_block);
    d->deviceMask = static_cast<uint8_t>(GetDriverValue(64));
    a->dualMonitorSwapped = GetDriverValue(108) != 0;
    if (d->mode == kModeDualMonitor)
        ReduceToOneOutput(*d, *a);
    a->dualViewSecSize = static_cast<uint8_t>(m_settings->GetDualViewSecSize(0));
    a->dualAppSwapped = m_settings->GetDualAppSwapped(0);
    a->reduceOnState = GetDriverValue(39) != 0;
    d->width = display::GetDeviceCaps(m_displayDC, HORZRES);
    d->height = display::GetDeviceCaps(m_displayDC, VERTRES);
    return lock.Unlock();
}

void CHardware::ChangeDisplayMode(const char* deviceName, DWORD width, DWORD height, DWORD orientation)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (GetHeader(FALSE) && GetHeader(FALSE)->osClass == 6) {
        mode.dmDisplayOrientation = orientation;
        mode.dmFields |= DM_DISPLAYORIENTATION;
    }

    HMODULE user32 = nullptr;
    FARPROC changeEx = nullptr;
    if (deviceName)
        m_settings->LoadLibraryFunctions(&user32, "USER32.DLL", 1, &changeEx, "ChangeDisplaySettingsExA");
    CModule library(user32);
    auto changeDisplaySettingsEx = FunctionCast<decltype(&ChangeDisplaySettingsExA)>(
        display::SubstituteDisplayFunction("ChangeDisplaySettingsExA", changeEx));

    const DWORD flags = CDS_UPDATEREGISTRY | CDS_RESET;
    const LONG result = (deviceName && changeDisplaySettingsEx)
        ? changeDisplaySettingsEx(deviceName, &mode, nullptr, flags, nullptr)
        : display::ChangeDisplaySettings(&mode, flags);
    if (result != DISP_CHANGE_SUCCESSFUL)
        ThrowServiceError(IDS_ERR_MODE_REFUSED, static_cast<int>(result));
}

BOOL CHardware::IsDualMonitorMode()
{
    RefreshStatus();
    return GetCurrentDisplay()->mode == kModeDualMonitor;
}

BOOL CHardware::RefreshModeList(const char* deviceName)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    for (DWORD index = 0; display::EnumDisplaySettings(deviceName, index, &mode); ++index)
        mode.dmSize = sizeof(mode);
    mode = {};
    mode.dmSize = sizeof(mode);
    return display::EnumDisplaySettings(deviceName, 0, &mode);
}

HotKeyTable* CHardware::GetDefaultHotKeyTable(HotKeyTable* table)
{
    return &BuildDefaultHotKeyTable(*m_settings, *GetHeader(TRUE), *table);
}

int CHardware::ApplyTVSystem(UINT system)
{
    if (system > 1)
        ThrowServiceError(IDS_ERR_TV_SYSTEM, 0);
    m_settings->SetTVSystem(system);
    SetDriverValue(33, system);
    return Refresh();
}

DWORD CHardware::QueryTVSystem()
{
    return GetDriverValue(33);
}

int CHardware::ApplySecondaryPanel(UINT panelId, UINT colorInterface)
{
    if (panelId > 4 || colorInterface > 1)
        ThrowServiceError(IDS_ERR_ARGUMENT_RANGE, 0);
    m_settings->SetSecondaryPanelID(panelId);
    SetDriverValue(8, panelId);
    m_settings->SetSecondaryPanelColorInterface(colorInterface);
    SetDriverValue(10, colorInterface);
    return Refresh();
}

DWORD CHardware::QuerySecondaryPanel(DWORD* panelId, DWORD* colorInterface)
{
    *panelId = GetDriverValue(8);
    *colorInterface = GetDriverValue(10);
    return *colorInterface;
}

BOOL CHardware::ApplyDualViewSecSize(UINT size)
{
    if (size > 4)
        ThrowServiceError(IDS_ERR_ARGUMENT_RANGE, 0);
    m_settings->SetDualViewSecSize(size);
    return RefreshDisplayState();
}

UINT CHardware::QueryDualViewSecSize()
{
    return m_settings->GetDualViewSecSize(0) & 0xFF;
}
