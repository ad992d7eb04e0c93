#include "hotkey_table.h"

#include <commctrl.h>

#include "hotkey_actions.h"
#include "os_service.h"

namespace {

const char kSectionHotkey[] = "Hotkey";

constexpr UINT kShift = HOTKEYF_SHIFT;
constexpr UINT kCtrl = HOTKEYF_CONTROL;
constexpr UINT kAlt = HOTKEYF_ALT;

#define VQX_HOTKEY(index, name, key, modifiers) \
    { index, "HK_" name "_Vkc", key, "HK_" name "_Mod", modifiers, "HK_" name "_Fixed", 0 }

// The "Fixed" flags always come from the OEM file (default 0).
void ReadFixedFlags(COSService& settings, HotKeyTable& table)
{
    for (const HotKeyDefinition& definition : kHotKeyDefinitions)
        table.fixed[definition.index] = settings.ReadIniInt(kSectionHotkey, definition.fixedKey, definition.defaultFixed);
}

} // namespace

const HotKeyDefinition kHotKeyDefinitions[kHotKeyCount] = {
    VQX_HOTKEY(kHotKeyLcd, "LCD", 'L', kCtrl | kAlt),
    VQX_HOTKEY(kHotKeyCrt, "CRT", 'C', kCtrl | kAlt),
    VQX_HOTKEY(kHotKeyTv, "TV", 'T', kCtrl | kAlt),
    VQX_HOTKEY(kHotKeySecondaryPanel, "SECPANEL", 'P', kCtrl | kAlt),
    VQX_HOTKEY(kHotKeyLcdCrt, "LCD_CRT", 'C', kShift | kCtrl),
    VQX_HOTKEY(kHotKeyLcdTv, "LCD_TV", 'T', kShift | kCtrl),
    VQX_HOTKEY(kHotKeyLcdSecondaryPanel, "LCD_SECPANEL", 'P', kShift | kCtrl),
    VQX_HOTKEY(kHotKeyCrtSecondaryPanel, "CRT_SECPANEL", 'P', kShift | kAlt),
    VQX_HOTKEY(kHotKeySecondaryPanelTv, "SECPANEL_TV", 'T', kShift | kAlt),
    VQX_HOTKEY(kHotKeyRotate90, "RT90", VK_OEM_4, kCtrl | kAlt),
    VQX_HOTKEY(kHotKeyRotate180, "RT180", VK_OEM_PLUS, kCtrl | kAlt),
    VQX_HOTKEY(kHotKeyRotate270, "RT270", VK_OEM_6, kCtrl | kAlt),
    VQX_HOTKEY(kHotKeySetDualApp, "SETDA", 'A', kCtrl | kAlt),
    VQX_HOTKEY(kHotKeySwapApps, "SWAPAPP", 'A', kShift | kCtrl),
    VQX_HOTKEY(kHotKeySwapDisplays, "SWAPDISP", 'D', kShift | kCtrl),
    VQX_HOTKEY(kHotKeySetDualView, "SETDV", 'V', kCtrl | kAlt),
    VQX_HOTKEY(kHotKeyPlainState, "SMOFF", 'Q', kCtrl | kAlt),
};

#undef VQX_HOTKEY

HotKeyTable& BuildDefaultHotKeyTable(COSService& settings, const HardwareHeader& header, HotKeyTable& table)
{
    HotKeyTable built = {};
    built.enabled = 1;
    const bool fromOemFile = settings.GetHKConfig(0) != 0;
    for (const HotKeyDefinition& definition : kHotKeyDefinitions) {
        const int i = definition.index;
        if (fromOemFile) {
            // Cut to 8 bits, like every byte setting.
            built.keyCode[i] = static_cast<uint8_t>(settings.ReadIniInt(
                kSectionHotkey, definition.keyCodeKey, static_cast<int>(definition.defaultKeyCode)));
            built.modifiers[i] = static_cast<uint8_t>(settings.ReadIniInt(
                kSectionHotkey, definition.modifiersKey, static_cast<int>(definition.defaultModifiers)));
        } else {
            built.keyCode[i] = static_cast<uint8_t>(definition.defaultKeyCode);
            built.modifiers[i] = static_cast<uint8_t>(definition.defaultModifiers);
        }
    }
    ReadFixedFlags(settings, built);
    for (int i = 0; i < kHotKeyCount; ++i) {
        if (!IsHotKeyOffered(i, header)) {
            built.keyCode[i] = 0;
            built.modifiers[i] = 0;
            built.fixed[i] = 0;
        }
    }
    table = built;
    return table;
}

void LoadAdapterHotKeyTables(COSService& settings, HotKeyTable& defaults, int adapterCount,
                             const std::function<AdapterRecord*(int index)>& adapterAt)
{
    for (int i = 0; i < adapterCount; ++i) {
        HotKeyTable& table = adapterAt(i)->hotKeyTable;
        settings.GetHotKeyTable(&table, &defaults);
        ReadFixedFlags(settings, table);
        defaults = HotKeyTable{};
    }
}
