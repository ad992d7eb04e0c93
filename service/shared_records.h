// The records of the shared block that every process of the system maps:
// one HardwareHeader, then per adapter one AdapterRecord followed by its
// DisplayRecords.  Plain little-endian data without padding; the layouts
// are fixed because every process and every module reads them in place.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#pragma pack(push, 1)

// Number of hot keys, and the per-adapter table of their definitions (also
// the layout of the registry value "HotKey").
constexpr int kHotKeyCount = 17;

struct HotKeyTable {
    int32_t enabled;                    // nonzero: this adapter's hot keys work
    uint8_t keyCode[kHotKeyCount];      // virtual-key code, 0 = unused
    uint8_t modifiers[kHotKeyCount];    // HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT
    uint8_t padding[2];
    int32_t fixed[kHotKeyCount];        // nonzero: the user may not change the entry
};

struct HardwareHeader {
    uint8_t adapterCount;
    uint8_t reserved1[7];
    int32_t osClass;
    int32_t pagesOpen;
    int32_t driverStatus1;
    int32_t driverStatus2;
    uint8_t driverStatus3;
    uint8_t reserved2[3];
    int32_t enableCrt;
    int32_t enableTv;
    int32_t enableSecondaryPanel;
    int32_t enableReduceOn;
    int32_t enableRotation;
    int32_t enableDualApp;
    int32_t enableDualView;
    int32_t enableRt90;
    int32_t enableRt180;
    int32_t enableRt270;
    int32_t hideTrayIcon;
    int32_t hideGammaPage;
    int32_t dsMessage;
    int32_t crtDetection;
    int32_t tvDetection;
    int32_t toggleSModeHotKey;
    int32_t keyboardHook;               // the installed hook's handle, or 0
};

struct AdapterRecord {
    uint8_t displayCount;
    uint8_t reserved1;
    uint16_t pciDeviceId;
    uint16_t revision;
    uint8_t adapterKind;
    uint8_t reserved2[17];
    uint8_t tvSystem;
    uint8_t dualViewSecSize;
    uint8_t panelId;
    uint8_t reserved3;
    uint16_t panelWidth;
    uint16_t panelHeight;
    uint8_t secondaryPanelId;
    uint8_t reserved4;
    uint16_t secondaryPanelWidth;
    uint16_t secondaryPanelHeight;
    uint8_t secondaryColorInterface;
    uint8_t reserved5;
    uint16_t driverStatusWord;
    uint16_t subsystemId;
    uint16_t version1;
    uint16_t version2;
    uint16_t version3;
    uint16_t version4;
    uint8_t versionByte1;
    uint8_t versionByte2;
    uint16_t versionWord;
    int32_t reduceOnState;
    int32_t dualAppSwapped;
    int32_t dualMonitorSwapped;
    uint8_t driverStatusByte;
    uint8_t reserved6[3];
    int32_t driverStatusWords[4];
    HotKeyTable hotKeyTable;
};

struct DisplayRecord {
    char deviceName[32];
    uint8_t deviceMask;                 // DisplayMask of the active outputs
    uint8_t rotation;                   // RotationCode
    uint8_t mode;                       // DisplayMode
    uint8_t primary;
    int32_t driverStatusValue;
    int32_t width;
    int32_t height;
};

#pragma pack(pop)

static_assert(sizeof(HotKeyTable) == 108, "hot-key table layout");
static_assert(offsetof(HotKeyTable, modifiers) == 21 && offsetof(HotKeyTable, fixed) == 40, "hot-key table layout");
static_assert(sizeof(HardwareHeader) == 96, "header layout");
static_assert(offsetof(HardwareHeader, osClass) == 8 && offsetof(HardwareHeader, enableCrt) == 28 &&
              offsetof(HardwareHeader, keyboardHook) == 92, "header layout");
static_assert(sizeof(AdapterRecord) == 196, "adapter record layout");
static_assert(offsetof(AdapterRecord, tvSystem) == 24 && offsetof(AdapterRecord, driverStatusWord) == 40 &&
              offsetof(AdapterRecord, reduceOnState) == 56 && offsetof(AdapterRecord, driverStatusWords) == 72 &&
              offsetof(AdapterRecord, hotKeyTable) == 88, "adapter record layout");
static_assert(sizeof(DisplayRecord) == 48, "display record layout");
static_assert(offsetof(DisplayRecord, deviceMask) == 32 && offsetof(DisplayRecord, width) == 40, "display record layout");

// Outputs of a display (DisplayMask bits).
enum DisplayOutput : uint8_t {
    kOutputLcd = 1,
    kOutputCrt = 2,
    kOutputTv = 4,
    kOutputSecondaryPanel = 8,
};

// The number of outputs in a DisplayMask.
inline int CountOutputs(UINT mask)
{
    int count = 0;
    for (UINT output : { kOutputLcd, kOutputCrt, kOutputTv, kOutputSecondaryPanel })
        count += (mask & output) ? 1 : 0;
    return count;
}

// The mask with a partner added, for the features that need two outputs:
// the LCD panel joins any other output, the CRT joins the LCD panel alone.
inline UINT WithPartnerOutput(UINT mask)
{
    return mask | ((mask & kOutputLcd) ? kOutputCrt : kOutputLcd);
}

enum DisplayMode : uint8_t {
    kModeSingle = 0,
    kModeDualView = 1,
    kModeDualApp = 2,
    kModeDualMonitor = 3,
};

enum RotationCode : uint8_t {
    kRotationNone = 0,
    kRotation90 = 1,
    kRotation270 = 2,
    kRotation180 = 3,
};
