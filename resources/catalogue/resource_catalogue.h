// What VQXRES.DLL holds, as lists: every dialog template with its kind and
// the features its variant is for, and the pictures.  Used by the resource
// library's test and by the gallery, which walk the same lists.
#pragma once

#include "resource_ids.h"

namespace vqxres {

// Features a template variant is built for.
enum Feature : unsigned {
    kNoFeature = 0,
    kDualApp = 1,      // dual application
    kDualView = 2,     // dual view
    kRotation = 4,     // rotation
    kDualMonitor = 8,  // the display-devices page in dual-monitor mode
};

enum class DialogKind {
    Page,  // child template of a property sheet
    Box,   // stand-alone modal dialog
};

enum class Screen {
    About,
    Information,
    DisplayDevices,
    ReduceOn,
    Configuration,
    HotKeys,
    ConfirmDisplay,
    DualAppWindows,
};

struct DialogInfo {
    int id;
    const char* name;
    Screen screen;
    DialogKind kind;
    unsigned features;
};

inline constexpr DialogInfo kDialogs[] = {
    { IDD_ABOUT, "About box", Screen::About, DialogKind::Box, kNoFeature },
    { IDD_INFO_PAGE, "Information page", Screen::Information, DialogKind::Page, kNoFeature },
    { IDD_DEVICES_DUALMON, "Display-devices page, dual-monitor mode", Screen::DisplayDevices, DialogKind::Page, kDualMonitor | kRotation },
    { IDD_DEVICES_DA_DV_RT, "Display-devices page, dual application, dual view, rotation", Screen::DisplayDevices, DialogKind::Page, kDualApp | kDualView | kRotation },
    { IDD_DEVICES_RT, "Display-devices page, rotation", Screen::DisplayDevices, DialogKind::Page, kRotation },
    { IDD_DEVICES_DA_RT, "Display-devices page, dual application, rotation", Screen::DisplayDevices, DialogKind::Page, kDualApp | kRotation },
    { IDD_DEVICES_DV_RT, "Display-devices page, dual view, rotation", Screen::DisplayDevices, DialogKind::Page, kDualView | kRotation },
    { IDD_DEVICES_DA_DV, "Display-devices page, dual application, dual view", Screen::DisplayDevices, DialogKind::Page, kDualApp | kDualView },
    { IDD_DEVICES_DV, "Display-devices page, dual view", Screen::DisplayDevices, DialogKind::Page, kDualView },
    { IDD_DEVICES_DA, "Display-devices page, dual application", Screen::DisplayDevices, DialogKind::Page, kDualApp },
    { IDD_DEVICES_PLAIN, "Display-devices page, no extra features", Screen::DisplayDevices, DialogKind::Page, kNoFeature },
    { IDD_REDUCE_ON_PAGE, "Reduce-on page", Screen::ReduceOn, DialogKind::Page, kNoFeature },
    { IDD_CONFIG_DUALVIEW, "Configuration page with dual view", Screen::Configuration, DialogKind::Page, kDualView },
    { IDD_CONFIG, "Configuration page", Screen::Configuration, DialogKind::Page, kNoFeature },
    { IDD_HOTKEYS_DA_DV_RT, "Hot-key dialog, dual application, dual view, rotation", Screen::HotKeys, DialogKind::Box, kDualApp | kDualView | kRotation },
    { IDD_HOTKEYS_RT, "Hot-key dialog, rotation", Screen::HotKeys, DialogKind::Box, kRotation },
    { IDD_HOTKEYS_DV_RT, "Hot-key dialog, dual view, rotation", Screen::HotKeys, DialogKind::Box, kDualView | kRotation },
    { IDD_HOTKEYS_DV, "Hot-key dialog, dual view", Screen::HotKeys, DialogKind::Box, kDualView },
    { IDD_HOTKEYS_PLAIN, "Hot-key dialog, no extra features", Screen::HotKeys, DialogKind::Box, kNoFeature },
    { IDD_HOTKEYS_DA, "Hot-key dialog, dual application", Screen::HotKeys, DialogKind::Box, kDualApp },
    { IDD_HOTKEYS_DA_DV, "Hot-key dialog, dual application, dual view", Screen::HotKeys, DialogKind::Box, kDualApp | kDualView },
    { IDD_HOTKEYS_DA_RT, "Hot-key dialog, dual application, rotation", Screen::HotKeys, DialogKind::Box, kDualApp | kRotation },
    { IDD_CONFIRM_DISPLAY, "Keep-or-undo dialog", Screen::ConfirmDisplay, DialogKind::Box, kNoFeature },
    { IDD_DUALAPP_WINDOWS, "Window choice of dual application", Screen::DualAppWindows, DialogKind::Box, kNoFeature },
};

// Pictures that templates show in their picture controls.
inline constexpr int kTemplatePictures[] = {
    IDB_PRODUCT_LOGO, IDB_ADAPTER, IDB_POWER, IDB_CONFIRM_DISPLAY,
};

// The preview picture of a device (index: none 0, LCD 1, CRT 2, TV 3,
// secondary panel 4) in an arrangement (0 plain, 1 rotated 90, 2 rotated
// 270, 3 rotated 180, 4 dual view, 5 dual application), as the first (or
// only) picture and as the second.
inline constexpr int kFirstPreview[6][5] = {
    { IDB_PREVIEW_NONE, IDB_PREVIEW_LCD, IDB_PREVIEW_CRT, IDB_PREVIEW_TV, IDB_PREVIEW_SEC },
    { IDB_PREVIEW_NONE, IDB_PREVIEW_LCD_90, IDB_PREVIEW_CRT_90, IDB_PREVIEW_TV_90, IDB_PREVIEW_SEC_90 },
    { IDB_PREVIEW_NONE, IDB_PREVIEW_LCD_270, IDB_PREVIEW_CRT_270, IDB_PREVIEW_TV_270, IDB_PREVIEW_SEC_270 },
    { IDB_PREVIEW_NONE, IDB_PREVIEW_LCD_180, IDB_PREVIEW_CRT_180, IDB_PREVIEW_TV_180, IDB_PREVIEW_SEC_180 },
    { IDB_PREVIEW_NONE, IDB_PREVIEW_LCD, IDB_PREVIEW_CRT, IDB_PREVIEW_TV, IDB_PREVIEW_SEC },
    { IDB_PREVIEW_NONE, IDB_PREVIEW_LCD_DUALAPP, IDB_PREVIEW_CRT_DUALAPP, IDB_PREVIEW_TV_DUALAPP, IDB_PREVIEW_SEC_DUALAPP },
};
inline constexpr int kSecondPreview[6][5] = {
    { IDB_PREVIEW_SECOND_NONE, IDB_PREVIEW_SECOND_LCD, IDB_PREVIEW_SECOND_CRT, IDB_PREVIEW_SECOND_TV, IDB_PREVIEW_SECOND_SEC },
    { IDB_PREVIEW_SECOND_NONE, IDB_PREVIEW_SECOND_LCD_90, IDB_PREVIEW_SECOND_CRT_90, IDB_PREVIEW_SECOND_TV_90, IDB_PREVIEW_SECOND_SEC_90 },
    { IDB_PREVIEW_SECOND_NONE, IDB_PREVIEW_SECOND_LCD_270, IDB_PREVIEW_SECOND_CRT_270, IDB_PREVIEW_SECOND_TV_270, IDB_PREVIEW_SECOND_SEC_270 },
    { IDB_PREVIEW_SECOND_NONE, IDB_PREVIEW_SECOND_LCD_180, IDB_PREVIEW_SECOND_CRT_180, IDB_PREVIEW_SECOND_TV_180, IDB_PREVIEW_SECOND_SEC_180 },
    { IDB_PREVIEW_SECOND_NONE, IDB_PREVIEW_SECOND_LCD_DUALVIEW, IDB_PREVIEW_SECOND_CRT_DUALVIEW, IDB_PREVIEW_SECOND_TV_DUALVIEW, IDB_PREVIEW_SECOND_SEC_DUALVIEW },
    { IDB_PREVIEW_SECOND_NONE, IDB_PREVIEW_SECOND_LCD_DUALAPP, IDB_PREVIEW_SECOND_CRT_DUALAPP, IDB_PREVIEW_SECOND_TV_DUALAPP, IDB_PREVIEW_SECOND_SEC_DUALAPP },
};

}  // namespace vqxres
