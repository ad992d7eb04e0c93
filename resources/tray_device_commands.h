// The display-device choices of the tray menu: the command of each item of
// the "Display Devices" submenu and the outputs it stands for; which items a
// switched-off output takes away follows from these masks.  The tray
// program, the gallery and the resource library's test read the menu
// through this one table.
#pragma once

#include "resource_ids.h"
#include "shared_records.h"

struct TrayDeviceCommand {
    unsigned command;
    unsigned char mask;
    bool choosable;  // false: the item only shows the state and does nothing
};

constexpr TrayDeviceCommand kTrayDeviceCommands[] = {
    { ID_TRAY_DEVICES_LCD, kOutputLcd, true },
    { ID_TRAY_DEVICES_CRT, kOutputCrt, true },
    { ID_TRAY_DEVICES_LCD_CRT, kOutputLcd | kOutputCrt, true },
    { ID_TRAY_DEVICES_TV, kOutputTv, true },
    { ID_TRAY_DEVICES_LCD_TV, kOutputLcd | kOutputTv, true },
    { ID_TRAY_DEVICES_CRT_TV, kOutputCrt | kOutputTv, false },
    { ID_TRAY_DEVICES_SECPANEL, kOutputSecondaryPanel, true },
    { ID_TRAY_DEVICES_LCD_SECPANEL, kOutputLcd | kOutputSecondaryPanel, true },
    { ID_TRAY_DEVICES_CRT_SECPANEL, kOutputCrt | kOutputSecondaryPanel, true },
    { ID_TRAY_DEVICES_TV_SECPANEL, kOutputTv | kOutputSecondaryPanel, true },
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
    if (mask == (kOutputLcd | kOutputTv | kOutputSecondaryPanel))
        return ID_TRAY_DEVICES_LCD_TV;
    for (const TrayDeviceCommand& entry : kTrayDeviceCommands)
        if (entry.mask == mask)
            return entry.command;
    return ID_TRAY_DEVICES_LCD_CRT;
}
