// The display-device choices of the tray menu: the command of each item of
// the "Display Devices" submenu and the device mask (LCD 1, CRT 2, TV 4,
// secondary panel 8) it stands for.  The tray program, the gallery and the
// resource library's test read the menu through this one table.
#pragma once

#include "resource_ids.h"

struct TrayDeviceCommand {
    unsigned command;
    unsigned char mask;
    bool choosable;  // false: the item only shows the state and does nothing
};

constexpr TrayDeviceCommand kTrayDeviceCommands[] = {
    { ID_TRAY_DEVICES_LCD, 1, true },
    { ID_TRAY_DEVICES_CRT, 2, true },
    { ID_TRAY_DEVICES_LCD_CRT, 3, true },
    { ID_TRAY_DEVICES_TV, 4, true },
    { ID_TRAY_DEVICES_LCD_TV, 5, true },
    { ID_TRAY_DEVICES_CRT_TV, 6, false },
    { ID_TRAY_DEVICES_SECPANEL, 8, true },
    { ID_TRAY_DEVICES_LCD_SECPANEL, 9, true },
    { ID_TRAY_DEVICES_CRT_SECPANEL, 10, true },
    { ID_TRAY_DEVICES_TV_SECPANEL, 12, true },
};

// The choosable item for `command`, or null.
inline const TrayDeviceCommand* FindTrayDeviceCommand(unsigned command)
{
    for (const TrayDeviceCommand& entry : kTrayDeviceCommands)
        if (entry.command == command && entry.choosable)
            return &entry;
    return nullptr;
}

// The item that carries the radio mark for the outputs `mask` shows: its own
// item, LCD + TV also for LCD + TV + secondary panel (13), and LCD + CRT for
// every mask without an item of its own.
inline unsigned TrayMarkedCommand(unsigned char mask)
{
    if (mask == 13)
        return ID_TRAY_DEVICES_LCD_TV;
    for (const TrayDeviceCommand& entry : kTrayDeviceCommands)
        if (entry.mask == mask)
            return entry.command;
    return ID_TRAY_DEVICES_LCD_CRT;
}
