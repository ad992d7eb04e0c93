#include "tray_menu.h"

#include <algorithm>

#include "framework.h"
#include "os_service.h"
#include "resource_ids.h"
#include "tray_device_commands.h"

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

// The commands the popup inserts, in groups each led by a separator.
struct InsertedItem {
    UINT command;
    UINT labelId;
};
constexpr InsertedItem kRotationItems[] = {
    { ID_TRAY_ROTATE_90, IDS_TRAY_ROTATE_90 },
    { ID_TRAY_ROTATE_180, IDS_TRAY_ROTATE_180 },
    { ID_TRAY_ROTATE_270, IDS_TRAY_ROTATE_270 },
};
constexpr InsertedItem kSwapItems[] = {
    { ID_TRAY_SWAP_APP_WINDOWS, IDS_TRAY_SWAP_APP_WINDOWS },
    { ID_TRAY_SWAP_APP_DISPLAYS, IDS_TRAY_SWAP_APP_DISPLAYS },
};

bool IsFixedCommand(UINT command)
{
    return command == ID_TRAY_DISPLAY_PROPERTIES || command == ID_TRAY_HELP || command == ID_TRAY_ABOUT ||
           command == ID_TRAY_EXIT;
}

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

bool IsAngleEnabled(UINT command, const HardwareHeader& header)
{
    switch (command) {
    case ID_TRAY_ROTATE_90: return header.enableRt90 != 0;
    case ID_TRAY_ROTATE_180: return header.enableRt180 != 0;
    case ID_TRAY_ROTATE_270: return header.enableRt270 != 0;
    default: return false;
    }
}

// Dual view and dual application start only from a plain, unrotated display.
bool OffersDualModes(const DisplayRecord& display)
{
    return display.mode != kModeDualView && display.mode != kModeDualApp && display.mode != kModeDualMonitor &&
           !IsRotated(display);
}

// The label of the item that returns to the normal state, or 0 when the
// display has nothing to return from (a dual-monitor desktop is left
// through the Display Properties).
UINT NormalStateLabel(const DisplayRecord& display)
{
    if (display.mode == kModeDualView)
        return IDS_TRAY_NORMAL_FROM_DUALVIEW;
    if (display.mode == kModeDualApp)
        return IDS_TRAY_NORMAL_FROM_DUALAPP;
    return IsRotated(display) ? IDS_TRAY_NORMAL_FROM_ROTATED : 0;
}

// The device choices may be offered only on a plain single display, outside
// the Display Properties, and when some output besides the LCD is enabled.
bool OffersDeviceChoices(const HardwareHeader& header, const DisplayRecord& display)
{
    return !header.pagesOpen && display.mode == kModeSingle &&
           (header.enableCrt || header.enableTv || header.enableSecondaryPanel);
}

// A choice that needs an output the switches disable is taken away; the
// CRT and TV pair only shows the state and stays.
bool IsDeviceChoiceDisabled(const TrayDeviceCommand& choice, const HardwareHeader& header)
{
    if (!choice.choosable)
        return false;
    return ((choice.mask & kOutputCrt) && !header.enableCrt) || ((choice.mask & kOutputTv) && !header.enableTv) ||
           ((choice.mask & kOutputSecondaryPanel) && !header.enableSecondaryPanel);
}

bool IsDeviceChoiceOffered(UINT command, const HardwareHeader& header, const DisplayRecord& display)
{
    const TrayDeviceCommand* choice = FindTrayDeviceCommand(command);
    return choice && OffersDeviceChoices(header, display) && !IsDeviceChoiceDisabled(*choice, header);
}

bool IsDeviceCommand(UINT id)
{
    return id >= ID_TRAY_DEVICES_FIRST && id <= ID_TRAY_DEVICES_LAST;
}

// Inserts a separator and then those of `items` that are offered.
template <size_t N>
void InsertOffered(ItemInserter& inserter, const InsertedItem (&items)[N], const HardwareHeader& header,
                   const DisplayRecord& display)
{
    inserter.Separator();
    for (const InsertedItem& item : items)
        if (IsCommandOffered(item.command, header, display))
            inserter.Item(item.command, item.labelId);
}

void InsertOfferedItem(ItemInserter& inserter, UINT command, UINT labelId, const HardwareHeader& header,
                       const DisplayRecord& display)
{
    if (!IsCommandOffered(command, header, display))
        return;
    inserter.Separator();
    inserter.Item(command, labelId);
}

void RemoveDisabledDeviceChoices(HMENU popup, const HardwareHeader& header)
{
    for (const TrayDeviceCommand& choice : kTrayDeviceCommands)
        if (IsDeviceChoiceDisabled(choice, header))
            DeleteMenu(popup, choice.command, MF_BYCOMMAND);
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

// The template ends with the separator and "Display Devices" submenu
// followed by four fixed items (separator, help, about, exit).
void RemoveDeviceSubmenu(HMENU popup)
{
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
}

} // namespace

bool IsCommandOffered(UINT command, const HardwareHeader& header, const DisplayRecord& display)
{
    if (IsFixedCommand(command))
        return true;
    if (header.pagesOpen)
        return false;
    switch (command) {
    case ID_TRAY_ROTATE_90:
    case ID_TRAY_ROTATE_180:
    case ID_TRAY_ROTATE_270:
        return OffersRotation(header, display) && IsAngleEnabled(command, header);
    case ID_TRAY_DUALVIEW_ON:
        return OffersDualModes(display) && header.enableDualView;
    case ID_TRAY_DUALAPP_ON:
        return OffersDualModes(display) && header.enableDualApp;
    case ID_TRAY_SWAP_APP_WINDOWS:
    case ID_TRAY_SWAP_APP_DISPLAYS:
        return display.mode == kModeDualApp;
    case ID_TRAY_NORMAL_STATE:
        return NormalStateLabel(display) != 0;
    default:
        return IsDeviceChoiceOffered(command, header, display);
    }
}

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
        // The rotation group keeps its separator whichever angles it holds.
        if (OffersRotation(header, display))
            InsertOffered(items, kRotationItems, header, display);
        if (IsCommandOffered(ID_TRAY_SWAP_APP_WINDOWS, header, display))
            InsertOffered(items, kSwapItems, header, display);
        InsertOfferedItem(items, ID_TRAY_DUALVIEW_ON, IDS_TRAY_DUALVIEW_ON, header, display);
        InsertOfferedItem(items, ID_TRAY_DUALAPP_ON, IDS_TRAY_DUALAPP_ON, header, display);
        InsertOfferedItem(items, ID_TRAY_NORMAL_STATE, NormalStateLabel(display), header, display);
        RemoveDisabledDeviceChoices(popup, header);
        MarkDeviceChoice(popup, display.deviceMask);
    }
    if (!OffersDeviceChoices(header, display))
        RemoveDeviceSubmenu(popup);
}

} // namespace tray
