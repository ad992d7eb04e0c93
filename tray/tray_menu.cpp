#include "tray_menu.h"

#include <algorithm>
#include <initializer_list>

#include "framework.h"
#include "os_service.h"
#include "resource_ids.h"
#include "tray_commands.h"

namespace tray {
namespace {

// Inserts items one after another from the position after the first item
// ("Display Properties...").
class ItemInserter {
public:
    explicit ItemInserter(HMENU popup) : m_popup(popup) {}

    void Separator() { InsertMenuA(m_popup, m_position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr); }
    void Item(UINT command, UINT labelId)
    {
        const std::string label = AfxLoadString(labelId);
        InsertMenuA(m_popup, m_position++, MF_BYPOSITION | MF_STRING, command, label.c_str());
    }

private:
    HMENU m_popup;
    UINT m_position = 1;
};

bool IsRotated(const DisplayRecord& display)
{
    return display.rotation != kRotationNone;
}

// Rotating is offered unless a dual mode forbids it (Windows 98 cannot
// rotate a dual-monitor desktop).  On a rotated display the items are only
// worth showing when they offer another angle than the current one.
bool OffersRotation(const HardwareHeader& header, const DisplayRecord& display)
{
    if (!header.enableRotation || display.mode == kModeDualView || display.mode == kModeDualApp)
        return false;
    if (header.osClass == kOSWin98 && display.mode == kModeDualMonitor)
        return false;
    const int angles = (header.enableRt90 != 0) + (header.enableRt180 != 0) + (header.enableRt270 != 0);
    return !IsRotated(display) || angles >= 2;
}

void InsertRotationItems(ItemInserter& items, const HardwareHeader& header)
{
    items.Separator();
    if (header.enableRt90)
        items.Item(ID_TRAY_ROTATE_90, IDS_TRAY_ROTATE_90);
    if (header.enableRt180)
        items.Item(ID_TRAY_ROTATE_180, IDS_TRAY_ROTATE_180);
    if (header.enableRt270)
        items.Item(ID_TRAY_ROTATE_270, IDS_TRAY_ROTATE_270);
}

// Inserts the items of the display's mode; returns the label of the item
// that returns to the normal state, or 0 when none applies.
UINT InsertModeItems(ItemInserter& items, const HardwareHeader& header, const DisplayRecord& display)
{
    if (display.mode == kModeDualView)
        return IDS_TRAY_NORMAL_FROM_DUALVIEW;
    if (display.mode == kModeDualApp) {
        items.Separator();
        items.Item(ID_TRAY_SWAP_APP_WINDOWS, IDS_TRAY_SWAP_APP_WINDOWS);
        items.Item(ID_TRAY_SWAP_APP_DISPLAYS, IDS_TRAY_SWAP_APP_DISPLAYS);
        return IDS_TRAY_NORMAL_FROM_DUALAPP;
    }
    if (display.mode == kModeDualMonitor || IsRotated(display))
        return IsRotated(display) ? IDS_TRAY_NORMAL_FROM_ROTATED : 0;
    if (header.enableDualView) {
        items.Separator();
        items.Item(ID_TRAY_DUALVIEW_ON, IDS_TRAY_DUALVIEW_ON);
    }
    if (header.enableDualApp) {
        items.Separator();
        items.Item(ID_TRAY_DUALAPP_ON, IDS_TRAY_DUALAPP_ON);
    }
    return 0;
}

void RemoveCommands(HMENU popup, std::initializer_list<UINT> commands)
{
    for (UINT command : commands)
        DeleteMenu(popup, command, MF_BYCOMMAND);  // an item already gone is passed over
}

void RemoveDisabledDeviceChoices(HMENU popup, const HardwareHeader& header)
{
    if (!header.enableCrt)
        RemoveCommands(popup, { ID_TRAY_DEVICES_CRT, ID_TRAY_DEVICES_LCD_CRT, ID_TRAY_DEVICES_CRT_SECPANEL });
    if (!header.enableTv)
        RemoveCommands(popup, { ID_TRAY_DEVICES_TV, ID_TRAY_DEVICES_LCD_TV, ID_TRAY_DEVICES_TV_SECPANEL });
    if (!header.enableSecondaryPanel)
        RemoveCommands(popup, { ID_TRAY_DEVICES_SECPANEL, ID_TRAY_DEVICES_LCD_SECPANEL,
                                ID_TRAY_DEVICES_CRT_SECPANEL, ID_TRAY_DEVICES_TV_SECPANEL });
}

bool IsDeviceCommand(UINT id)
{
    return id >= ID_TRAY_DEVICES_FIRST && id <= ID_TRAY_DEVICES_LAST;
}

// The menu (the popup or one of its submenus) that holds `command`, and the
// command's position there.
bool FindItem(HMENU menu, UINT command, HMENU& holder, int& position)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (FindItem(sub, command, holder, position))
                return true;
        } else if (GetMenuItemID(menu, i) == command) {
            holder = menu;
            position = i;
            return true;
        }
    }
    return false;
}

// The device choices may be offered only on a plain single display, outside
// the Display Properties, and when some output besides the LCD is enabled.
bool OffersDeviceChoices(const HardwareHeader& header, const DisplayRecord& display)
{
    return !header.pagesOpen && display.mode == kModeSingle &&
           (header.enableCrt || header.enableTv || header.enableSecondaryPanel);
}

// The template ends with the separator and "Display Devices" submenu
// followed by four fixed items (separator, help, about, exit).
void RemoveDeviceSubmenu(HMENU popup)
{
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
}

} // namespace

bool MarkDeviceChoice(HMENU popup, unsigned char mask)
{
    HMENU holder = nullptr;
    int marked = 0;
    if (!FindItem(popup, TrayMarkedCommand(mask), holder, marked))
        return false;
    int first = marked;
    int last = marked;
    const int count = GetMenuItemCount(holder);
    for (int i = 0; i < count; ++i) {
        if (IsDeviceCommand(GetMenuItemID(holder, i))) {
            first = (std::min)(first, i);
            last = (std::max)(last, i);
        }
    }
    return CheckMenuRadioItem(holder, first, last, marked, MF_BYPOSITION) != FALSE;
}

void BuildPopup(HMENU popup, const HardwareHeader& header, const DisplayRecord& display)
{
    if (!header.pagesOpen) {
        ItemInserter items(popup);
        if (OffersRotation(header, display))
            InsertRotationItems(items, header);
        if (const UINT normalLabel = InsertModeItems(items, header, display)) {
            items.Separator();
            items.Item(ID_TRAY_NORMAL_STATE, normalLabel);
        }
        RemoveDisabledDeviceChoices(popup, header);
        MarkDeviceChoice(popup, display.deviceMask);
    }
    if (!OffersDeviceChoices(header, display))
        RemoveDeviceSubmenu(popup);
}

} // namespace tray
