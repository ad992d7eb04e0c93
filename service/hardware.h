// CHardware: service 1, the only part of the system that talks to the
// display driver.  It owns a device context on the selected display device
// (every driver escape goes through it), the settings service, and the
// shared block with the records every process sees.
//
// The order of the virtual operations is part of the interface between the
// deliverables: never reorder, insert only at the end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display_seam.h"
#include "driver_protocol.h"
#include "framework.h"
#include "hook_owner.h"
#include "shared_block.h"
#include "optional_user32.h"
#include "os_service.h"
#include "page_holders.h"
#include "service_registry.h"
#include "shared_records.h"
#include "switch_guard.h"

// The maker's displays as the system reports them: per adapter, in the
// order the system lists them, the names of its display devices.
using DisplayLayout = std::vector<std::vector<std::string>>;
// The bytes of the shared records that describe `layout` (without the size
// word).
DWORD LayoutSize(const DisplayLayout& layout);
// A display record's device name; the record need not hold a terminator.
std::string DeviceName(const DisplayRecord& display);

// The display-device information record of the enumeration: the system's
// DISPLAY_DEVICEA followed by the PCI ids parsed from its DeviceID.
struct DisplayDeviceInfo {
    DISPLAY_DEVICEA device;
    int32_t vendorId;
    int32_t deviceId;
};
static_assert(sizeof(DISPLAY_DEVICEA) == 424 && sizeof(DisplayDeviceInfo) == 432, "device information record");

// Enumerates the system's display devices: with EnumDisplayDevicesA where
// the system has it (resolved from USER32.DLL, which stays loaded while the
// enumerator lives), else with a fallback that reports the one device
// "DISPLAY" when the adapter's driver answers on it.
class CDisplayEnumerator {
public:
    explicit CDisplayEnumerator(COSService& settings);
    // Device `index` into `info` (size field 432); FALSE after the last.
    BOOL Get(DWORD index, DisplayDeviceInfo& info);

private:
    BOOL GetFallback(DWORD index, DisplayDeviceInfo& info);

    COptionalUser32Function<display::EnumDisplayDevicesFunction> m_enumDisplayDevices;
};

class CHardware : public CObject {
public:
    CHardware();
    ~CHardware() override;

    // The process's hardware service, created on first request.
    static CHardware* Acquire();

    virtual int Refresh();
    virtual BOOL RefreshDisplayState();
    virtual void ChangeDisplayMode(const char* deviceName, DWORD width, DWORD height, DWORD orientation);
    virtual BOOL IsDualMonitorMode();
    virtual BOOL IsModeLargerThanPanel(BOOL requireDevices);
    virtual int IsCrtAttached();
    virtual int IsTvAttached();
    virtual HardwareHeader* GetHeader(BOOL mustExist);
    virtual AdapterRecord* GetCurrentAdapter();
    virtual AdapterRecord* GetAdapter(UINT index, BOOL check);
    virtual DisplayRecord* GetCurrentDisplay();
    virtual DisplayRecord* GetDisplay(UINT adapter, UINT display, BOOL check);
    virtual void SelectDisplay(UINT adapter, UINT display);
    virtual void SelectDisplayByName(const char* deviceName);
    virtual void GetSelectedDisplay(DWORD* adapter, DWORD* display);
    virtual HDC GetDisplayDC();
    virtual int DriverEscape(const DriverRequestRecord* request, DriverReplyRecord* reply);
    virtual HotKeyTable* GetDefaultHotKeyTable(HotKeyTable* table);
    virtual int ApplyTVSystem(UINT system);
    virtual DWORD QueryTVSystem();
    virtual int ApplySecondaryPanel(UINT panelId, UINT colorInterface);
    virtual DWORD QuerySecondaryPanel(DWORD* panelId, DWORD* colorInterface);
    virtual BOOL ApplyDualViewSecSize(UINT size);
    virtual UINT QueryDualViewSecSize();
    virtual BOOL RefreshModeList(const char* deviceName);
    virtual int QueryStatus(DriverReplyRecord* status);
    virtual BOOL RefreshStatus();
    virtual DWORD ReadDriverPair(DWORD a, DWORD b);
    virtual int WriteDriverPair(DWORD a, DWORD b, DWORD c);
    virtual DWORD GetDriverValue(DWORD index);
    virtual int SetDriverValue(DWORD index, DWORD value);
    virtual int DriverRequest(const DriverRequestBlock* block, DriverRequestBlock* replyBlock);
    virtual int DriverFunction6(DWORD value);
    virtual int DriverFunction7(DWORD value);
    virtual int SetReduceOn(UINT level);
    virtual int NotifyPowerStatus(UINT acLineStatus);
    virtual int SetDriverRotation(UINT rotation);
    virtual int EnableDualViewMode(UINT size, UINT flag);
    virtual int DisableDualViewMode();
    virtual void EnableDualAppMode(UINT swapped);
    virtual int DisableDualAppMode();
    virtual void SetDualMonitorSwapped(UINT flag);
    virtual int GetPairOrder(UINT first, UINT second);
    virtual void SetDisplayDevices(UINT mask);
    virtual int SetDisplayDevicesDirect(UINT mask);
    // Pages of the Display Properties shown by this process: TRUE when one
    // of them becomes the active page of its sheet, FALSE when it stops
    // being that.  `pagesOpen` then says whether any live process shows one.
    virtual void SetPageShown(BOOL shown);
    // The guardian's part: forgets the page holders whose process ended and
    // lowers `pagesOpen` when no live one is left; TRUE when it changed.
    virtual BOOL ReleaseAbandonedPages();
    // Builds the records afresh in place when they no longer describe the
    // system's displays (a display renamed, added or removed), keeping the
    // hook and the pages shown; TRUE when it did.  Throws as the rebuild of
    // a new hardware service does.
    virtual BOOL RebuildIfChanged();

    // The settings service this object holds (feature services reach the
    // settings through it).
    COSService* Settings() const { return m_settings.Get(); }
    // The shared block, whose mutex guards the records and the side blocks
    // beside them.
    CSharedBlock& SharedBlock() { return m_block; }
    // Who installed the hook the header names (the hot-key service's record).
    CHookOwner& HookOwner() { return m_hookOwner; }

    // Why the block's counts do not hold together (every process of the
    // session can write them): 0 when they do, 1 when the adapters do not
    // fit in the view or there are none, 2 when an adapter's displays do not
    // fit or it has none.
    UINT FindBlockDamage();

    // The guardian's part: when a keep-or-undo dialog's process ended while
    // the dialog was shown, switches that display back to the outputs it had
    // before, as the dialog's time-out would have, and returns TRUE; a switch
    // the user had kept before the process ended stays (TRUE as well).  The
    // display this process had selected is selected again after the undo.
    BOOL UndoAbandonedSwitch();

private:
    // Escape helpers: one request with the function code in word 0.
    int SendEscape(driver::Function function, DriverReplyRecord* reply = nullptr,
                   DWORD word1 = 0, DWORD word2 = 0, DWORD word3 = 0);
    int SendEscapeBytes(driver::Function function, BYTE b4, BYTE b5 = 0, BYTE b6 = 0);

    // Whether a record of `bytes` at `at` may be handed out by a walk of
    // the records, checked (`check`) or not.
    bool RecordFits(const void* at, size_t bytes, BOOL check) const;

    // Adapter identification.
    DisplayLayout ReadDisplayLayout();
    // Fills the records from the system's displays and selects each one
    // attached to the desktop in turn.
    void Enumerate();
    // Whether the records are sound and name the displays of `layout`.
    bool BlockDescribes(const DisplayLayout& layout);
    // Builds the records of an existing block afresh for `layout` and
    // refreshes them; the hook's handle stays, `pagesOpen` is counted again.
    void Rebuild(const DisplayLayout& layout);
    // Sets `pagesOpen` from the page holders; the caller holds the lock.
    void RecountPagesOpen();
    void GetPanelSize(UINT panelId, uint16_t* width, uint16_t* height);
    void Identify(AdapterRecord& adapter);
    // Switching.
    void Switch(UINT mask, DWORD modeWord);
    void ReduceToOneOutput(DisplayRecord& display, const AdapterRecord& adapter);

    void ReleaseDisplayDC();

    CServiceReference<COSService> m_settings;
    display::CDisplayDC m_displayDC;
    uint8_t m_adapter = 0;
    uint8_t m_display = 0;
    CSharedBlock m_block;
    CSwitchGuard m_switchGuard;
    CPageHolders m_pageHolders;
    // Held here, not by the hot-key service, so that the record lives
    // exactly as long as the header that names the hook: every process the
    // hook ran in holds the hardware service.
    CHookOwner m_hookOwner;
};

// Names of the shared objects.
extern const char kSharedBlockName[];
extern const char kConstructionMutexName[];

// The PCI vendor and device ids parsed from a DeviceID such as
// "PCI\VEN_7A3E&DEV_0B52&SUBSYS_...", -1 where not found.
void ParsePciIds(DisplayDeviceInfo& info);
