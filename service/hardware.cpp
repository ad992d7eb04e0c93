// CHardware: construction, the shared records, display selection and the
// refresh of the shared block from the settings and the driver.
#include "hardware.h"

#include <mbstring.h>

#include "base_exception.h"
#include "display_seam.h"
#include "hotkey_table.h"
#include "optional_user32.h"
#include "os_service.h"
#include "resource_ids.h"
#include "service_registry.h"

const char kSharedBlockName[] = "6B1E2D94-7A0C-4F3B-9D56-2E8C4A71B0F5";
const char kConstructionMutexName[] = "{A47D03E9-5C21-4B86-AE3F-71C9D2B0E658}";


namespace {

// The mutex under which a process builds or rebuilds the records.
CHandle OpenConstructionMutex()
{
    SetLastError(ERROR_SUCCESS);
    CHandle construction(CreateMutexA(nullptr, FALSE, kConstructionMutexName));
    if (!construction)
        ThrowServiceError(IDS_ERR_SHARED_MUTEX, static_cast<int>(GetLastError()));
    return construction;
}

} // namespace

CHardware* CHardware::Acquire()
{
    return AcquireService<CHardware>("CHardware");
}

CHardware::CHardware()
{
    const CHandle construction = OpenConstructionMutex();
    CMutexLock building(construction);
    try {
        // The process that creates the block fills it with a second pass,
        // which also selects the attached displays.  A process that finds a
        // block which no longer describes the system's displays, or whose
        // counts do not hold together, builds it afresh in place.
        const DisplayLayout layout = ReadDisplayLayout();
        m_block.Open(kSharedBlockName, LayoutSize(layout));
        if (m_block.IsCreated())
            Enumerate();
        else if (!BlockDescribes(layout))
            Rebuild(layout);
    } catch (...) {
        ReleaseDisplayDC();
        throw;
    }
}

CHardware::~CHardware()
{
    ReleaseDisplayDC();
}

void CHardware::ReleaseDisplayDC()
{
    m_displayDC.Reset();
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

// The walk stays inside the view whatever the block's counts say (any
// process of the session can write them): a record that would not lie
// wholly inside is a range error, checked access or not.  A checked walk
// also stays inside the records the size word claims, so that counts raised
// by another process cannot pass the zeroed slack after the records (the
// view is a page at least) for a record.  Unchecked access (the hook's) to
// the adapter after the last one returns the place just past the last
// record while that still lies inside the view.
bool CHardware::RecordFits(const void* at, size_t bytes, BOOL check) const
{
    return check ? m_block.ContainsDeclared(at, bytes) : m_block.Contains(at, bytes);
}

AdapterRecord* CHardware::GetAdapter(UINT index, BOOL check)
{
    const uint8_t wanted = static_cast<uint8_t>(index);
    HardwareHeader* header = GetHeader(TRUE);
    if (check && wanted >= header->adapterCount)
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 1);
    BYTE* at = reinterpret_cast<BYTE*>(header) + sizeof(HardwareHeader);
    for (uint8_t i = 0;; ++i) {
        if (!RecordFits(at, sizeof(AdapterRecord), check))
            ThrowServiceError(IDS_ERR_RECORD_RANGE, 1);
        if (i == wanted)
            return reinterpret_cast<AdapterRecord*>(at);
        at += sizeof(AdapterRecord) + sizeof(DisplayRecord) * reinterpret_cast<AdapterRecord*>(at)->displayCount;
    }
}

DisplayRecord* CHardware::GetDisplay(UINT adapter, UINT display, BOOL check)
{
    AdapterRecord* record = GetAdapter(adapter, check);
    const uint8_t wanted = static_cast<uint8_t>(display);
    if (check && wanted >= record->displayCount)
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 2);
    DisplayRecord* at = reinterpret_cast<DisplayRecord*>(reinterpret_cast<BYTE*>(record) + sizeof(AdapterRecord)) + wanted;
    if (!RecordFits(at, sizeof(DisplayRecord), check))
        ThrowServiceError(IDS_ERR_RECORD_RANGE, 2);
    return at;
}

UINT CHardware::FindBlockDamage()
{
    const HardwareHeader* header = GetHeader(FALSE);
    if (!header)
        return 0;
    if (header->adapterCount == 0)
        return 1;
    const BYTE* at = reinterpret_cast<const BYTE*>(header) + sizeof(HardwareHeader);
    for (UINT a = 0; a < header->adapterCount; ++a) {
        if (!m_block.Contains(at, sizeof(AdapterRecord)))
            return 1;
        const UINT displays = reinterpret_cast<const AdapterRecord*>(at)->displayCount;
        at += sizeof(AdapterRecord);
        if (displays == 0 || !m_block.Contains(at, sizeof(DisplayRecord) * displays))
            return 2;
        at += sizeof(DisplayRecord) * displays;
    }
    return 0;
}

bool CHardware::BlockDescribes(const DisplayLayout& layout)
{
    if (FindBlockDamage() != 0 || GetHeader(TRUE)->adapterCount != layout.size())
        return false;
    // The counts hold together inside the view (FindBlockDamage), so the
    // unchecked walk stays there; records that the size word does not cover
    // (any process can write it) are not sound: the checked walks would
    // refuse them, so the block is built afresh instead.
    for (UINT a = 0; a < layout.size(); ++a) {
        const AdapterRecord* adapter = GetAdapter(a, FALSE);
        if (!m_block.ContainsDeclared(adapter, sizeof(AdapterRecord)) || adapter->displayCount != layout[a].size())
            return false;
        for (UINT d = 0; d < layout[a].size(); ++d) {
            const DisplayRecord* display = GetDisplay(a, d, FALSE);
            if (!m_block.ContainsDeclared(display, sizeof(DisplayRecord)) || DeviceName(*display) != layout[a][d])
                return false;
        }
    }
    return true;
}

void CHardware::Rebuild(const DisplayLayout& layout)
{
    const DWORD size = LayoutSize(layout);
    if (size > m_block.Size() - sizeof(DWORD))
        ThrowServiceError(IDS_ERR_DISPLAYS_CHANGED, 0);
    CSharedLock lock(m_block);
    // The hook's handle belongs to the program that installed it (the tray
    // program) and outlives the records: keep it, or the hot keys would be
    // hooked twice at the next switch-on.
    const int32_t hook = GetHeader(TRUE)->keyboardHook;
    m_block.Clear(size);
    Enumerate();
    GetHeader(TRUE)->keyboardHook = hook;
    // Pages shown in other processes stay shown.
    RecountPagesOpen();
    // The switches and hot-key tables went with the old records: without
    // them no hot key would act until the tray program started again.
    Refresh();
}

// Under the construction mutex, as a new service's check: a process that
// starts meanwhile finds the block either as it was or rebuilt, never half.
BOOL CHardware::RebuildIfChanged()
{
    const CHandle construction = OpenConstructionMutex();
    CMutexLock building(construction);
    const DisplayLayout layout = ReadDisplayLayout();
    if (BlockDescribes(layout))
        return FALSE;
    Rebuild(layout);
    return TRUE;
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
    const std::string name = DeviceName(*GetDisplay(adapter, display, TRUE));

    CDisplayEnumerator devices(*m_settings);
    DisplayDeviceInfo info;
    for (DWORD index = 0; devices.Get(index, info); ++index) {
        if (name != info.device.DeviceName)
            continue;
        if (!(info.device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP))
            ThrowServiceError(IDS_ERR_SELECT_DISPLAY, 0);
        SetLastError(ERROR_SUCCESS);
        m_displayDC.Reset(display::CreateDC(name.c_str()));
        if (!m_displayDC)
            ThrowServiceError(IDS_ERR_SELECT_DISPLAY, static_cast<int>(GetLastError()));
        m_adapter = static_cast<uint8_t>(adapter);
        m_display = static_cast<uint8_t>(display);
        return;
    }
    // The records name a device the system no longer has: only a fresh
    // build of the block can tell the displays apart again.
    ThrowServiceError(IDS_ERR_DISPLAYS_CHANGED, 0);
}

void CHardware::SelectDisplayByName(const char* deviceName)
{
    HardwareHeader* header = GetHeader(TRUE);
    for (UINT a = 0; a < header->adapterCount; ++a) {
        const AdapterRecord* adapter = GetAdapter(a, TRUE);
        for (UINT d = 0; d < adapter->displayCount; ++d) {
            if (_mbsicmp(reinterpret_cast<const unsigned char*>(DeviceName(*GetDisplay(a, d, TRUE)).c_str()),
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
    return m_displayDC.Get();
}

int CHardware::Refresh()
{
    HardwareHeader* h = GetHeader(FALSE);
    AdapterRecord* a = GetCurrentAdapter();
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
        h->enableTv = s.GetEnableTV(GetDriverValue(driver::kValueTvSupported));
        h->enableSecondaryPanel = s.GetEnableSecondaryPanel(GetDriverValue(driver::kValueSecondaryPanelSupported));
        h->enableDualApp = s.GetEnableDualApp(0);
        h->enableDualView = s.GetEnableDualView(0);
        if (h->osClass != kOSWinNT4 && h->osClass != kOSWin2000) {
            h->enableDualApp = 0;
            h->enableDualView = 0;
        }
        if (!h->enableCrt && !h->enableSecondaryPanel) {
            h->enableDualApp = 0;
            if (!h->enableTv)
                h->enableDualView = 0;
        }
        h->enableReduceOn = s.GetEnableReduceOn(0) && h->osClass != kOSWinNT4;
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
    AdapterRecord* a = GetCurrentAdapter();
    DisplayRecord* d = GetCurrentDisplay();
    CSharedLock lock(m_block);
    d->deviceMask = static_cast<uint8_t>(GetDriverValue(driver::kValueDeviceMask));
    a->dualMonitorSwapped = GetDriverValue(driver::kValueDualMonitorSwapped) != 0;
    if (d->mode == kModeDualMonitor)
        ReduceToOneOutput(*d, *a);
    a->dualViewSecSize = static_cast<uint8_t>(m_settings->GetDualViewSecSize(0));
    a->dualAppSwapped = m_settings->GetDualAppSwapped(0);
    a->reduceOnState = GetDriverValue(driver::kValueReduceOn) != 0;
    d->width = display::GetDeviceCaps(m_displayDC.Get(), HORZRES);
    d->height = display::GetDeviceCaps(m_displayDC.Get(), VERTRES);
    return lock.Unlock();
}

void CHardware::ChangeDisplayMode(const char* deviceName, DWORD width, DWORD height, DWORD orientation)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (GetHeader(FALSE) && GetHeader(FALSE)->osClass == kOSWinXPServicePack) {
        mode.dmDisplayOrientation = orientation;
        mode.dmFields |= DM_DISPLAYORIENTATION;
    }

    // Without a device name the plain call, also where the extended one exists.
    const DWORD flags = CDS_UPDATEREGISTRY | CDS_RESET;
    LONG result;
    if (deviceName) {
        const auto changeDisplaySettingsEx = OptionalChangeDisplaySettingsEx(*m_settings);
        result = changeDisplaySettingsEx.Get()
            ? changeDisplaySettingsEx.Get()(deviceName, &mode, nullptr, flags, nullptr)
            : display::ChangeDisplaySettings(&mode, flags);
    } else {
        result = display::ChangeDisplaySettings(&mode, flags);
    }
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
    if (system > kHighestTVSystem)
        ThrowServiceError(IDS_ERR_TV_SYSTEM, 0);
    m_settings->SetTVSystem(system);
    SetDriverValue(driver::kValueTvSystem, system);
    return Refresh();
}

DWORD CHardware::QueryTVSystem()
{
    return GetDriverValue(driver::kValueTvSystem);
}

int CHardware::ApplySecondaryPanel(UINT panelId, UINT colorInterface)
{
    if (panelId > kHighestSecondaryPanelID || colorInterface > kHighestColorInterface)
        ThrowServiceError(IDS_ERR_ARGUMENT_RANGE, 0);
    m_settings->SetSecondaryPanelID(panelId);
    SetDriverValue(driver::kValueSecondaryPanelId, panelId);
    m_settings->SetSecondaryPanelColorInterface(colorInterface);
    SetDriverValue(driver::kValueSecondaryColorInterface, colorInterface);
    return Refresh();
}

DWORD CHardware::QuerySecondaryPanel(DWORD* panelId, DWORD* colorInterface)
{
    *panelId = GetDriverValue(driver::kValueSecondaryPanelId);
    *colorInterface = GetDriverValue(driver::kValueSecondaryColorInterface);
    return *colorInterface;
}

BOOL CHardware::ApplyDualViewSecSize(UINT size)
{
    if (size > kHighestDualViewSecSize)
        ThrowServiceError(IDS_ERR_ARGUMENT_RANGE, 0);
    m_settings->SetDualViewSecSize(size);
    return RefreshDisplayState();
}

UINT CHardware::QueryDualViewSecSize()
{
    return m_settings->GetDualViewSecSize(0) & 0xFF;
}
