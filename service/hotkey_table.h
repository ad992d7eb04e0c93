// The 17 hot keys: their names, built-in defaults and OEM file keys, the
// building of the default table from the feature switches, and the loading
// of every adapter's table from the settings.
#pragma once

#include <windows.h>

#include <functional>

#include "shared_records.h"

class COSService;

// Index of each hot key in a HotKeyTable.
enum HotKeyIndex : int {
    kHotKeyLcd = 0,
    kHotKeyCrt = 1,
    kHotKeyTv = 2,
    kHotKeySecondaryPanel = 3,
    kHotKeyLcdCrt = 4,
    kHotKeyLcdTv = 5,
    kHotKeyLcdSecondaryPanel = 6,
    kHotKeyCrtSecondaryPanel = 7,
    kHotKeySecondaryPanelTv = 8,
    kHotKeyRotate90 = 9,
    kHotKeyRotate180 = 10,
    kHotKeyRotate270 = 11,
    kHotKeySetDualApp = 12,
    kHotKeySwapApps = 13,
    kHotKeySwapDisplays = 14,
    kHotKeySetDualView = 15,
    kHotKeyPlainState = 16,
};

// One hot key's built-in definition and the keys of section "Hotkey" of
// the OEM file that may redefine it.
struct HotKeyDefinition {
    int index;
    const char* keyCodeKey;      // "HK_<name>_Vkc"
    UINT defaultKeyCode;
    const char* modifiersKey;    // "HK_<name>_Mod"
    UINT defaultModifiers;       // HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT
    const char* fixedKey;        // "HK_<name>_Fixed"
    int defaultFixed;
};

// The built-in definitions in index order.
extern const HotKeyDefinition kHotKeyDefinitions[kHotKeyCount];

// Builds the default table: enabled, the keys of the OEM file when its
// "HKConfig" switch is on (else the built-in ones), the OEM "Fixed" flags,
// and every entry cleared that the header's switches do not offer
// (IsHotKeyOffered, hotkey_actions.h).  Returns `table`.
HotKeyTable& BuildDefaultHotKeyTable(COSService& settings, const HardwareHeader& header, HotKeyTable& table);

// Loads the table of adapters 0 .. adapterCount-1 from the registry with
// `defaults` as fallback, then takes their "Fixed" flags from the OEM file.
// `defaults` is cleared after each adapter, so only the first adapter can
// receive them; later ones without a stored table get an all-zero table.
void LoadAdapterHotKeyTables(COSService& settings, HotKeyTable& defaults, int adapterCount,
                             const std::function<AdapterRecord*(int index)>& adapterAt);
