#include "menu_capture.h"

#include "message_pump.h"
#include "resource_ids.h"
#include "screenshot.h"

#include <string>
#include <vector>

namespace gallery {

namespace {

struct Capture {
    std::string path;
    int downs;  // Down presses before Right opens the submenu; 0 leaves it shut
    bool saved = false;
};

BOOL CALLBACK CollectMenus(HWND hwnd, LPARAM lParam)
{
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd)) {
        RECT r;
        GetWindowRect(hwnd, &r);
        RECT* all = reinterpret_cast<RECT*>(lParam);
        UnionRect(all, all, &r);
    }
    return TRUE;
}

void Key(BYTE key)
{
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    Sleep(60);
}

// Runs while the menu is tracked: opens the submenu if asked, photographs
// every menu window together, then ends the menu.
DWORD WINAPI Photographer(void* parameter)
{
    Capture& capture = *static_cast<Capture*>(parameter);
    Sleep(400);
    if (capture.downs) {
        for (int i = 0; i < capture.downs; ++i)
            Key(VK_DOWN);
        Key(VK_RIGHT);
        Sleep(400);
    }
    RECT all = {};
    EnumWindows(CollectMenus, reinterpret_cast<LPARAM>(&all));
    InflateRect(&all, 2, 2);
    capture.saved = !IsRectEmpty(&all) && testsupport::SaveRectPng(all, capture.path);
    EndMenu();
    return 0;
}

void InsertItem(HMENU popup, int& position, int command, const std::string& label)
{
    InsertMenuA(popup, position++, MF_BYPOSITION | MF_STRING, command, label.c_str());
}

void InsertSeparator(HMENU popup, int& position)
{
    InsertMenuA(popup, position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

// Takes the display-device choices out, as the tray does when no switch may
// be offered: the items that stand sixth and fifth from the end.
void DeleteDeviceChoices(HMENU popup)
{
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
}

bool Track(HWND owner, HMENU popup, Capture& capture)
{
    HANDLE thread = CreateThread(nullptr, 0, Photographer, &capture, 0, nullptr);
    SetForegroundWindow(owner);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, 200, 150, 0, owner, nullptr);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    PostMessageA(owner, WM_NULL, 0, 0);
    testsupport::PumpMessages(200);
    return capture.saved;
}

}  // namespace

void CaptureTrayMenu(Context& context)
{
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "VQX Control Panel", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1,
                                 nullptr, nullptr, nullptr, nullptr);

    // With every feature offered on a plain desktop: rotations, dual view
    // and dual application inserted from position 1, LCD + CRT marked.
    HMENU menu = LoadMenuA(context.resources, MAKEINTRESOURCEA(IDM_TRAY));
    HMENU popup = GetSubMenu(menu, 0);
    int p = 1;
    InsertSeparator(popup, p);
    InsertItem(popup, p, ID_TRAY_ROTATE_90, context.Text(IDS_TRAY_ROTATE_90));
    InsertItem(popup, p, ID_TRAY_ROTATE_180, context.Text(IDS_TRAY_ROTATE_180));
    InsertItem(popup, p, ID_TRAY_ROTATE_270, context.Text(IDS_TRAY_ROTATE_270));
    InsertSeparator(popup, p);
    InsertItem(popup, p, ID_TRAY_DUALVIEW_ON, context.Text(IDS_TRAY_DUALVIEW_ON));
    InsertSeparator(popup, p);
    InsertItem(popup, p, ID_TRAY_DUALAPP_ON, context.Text(IDS_TRAY_DUALAPP_ON));
    CheckMenuRadioItem(popup, ID_TRAY_DEVICES_FIRST, ID_TRAY_DEVICES_LAST, ID_TRAY_DEVICES_LCD_CRT, MF_BYCOMMAND);
    // Down from nothing selected: the first press only activates the menu
    // under Wine, then one press per item that is not a separator, up to
    // "Display Devices".
    int downs = 1;
    for (int i = 0, count = GetMenuItemCount(popup); i < count; ++i) {
        if (!(GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR))
            ++downs;
        if (GetSubMenu(popup, i))
            break;
    }
    Capture full = { context.outputDir + "menu_full.png", downs };
    context.Record(Track(owner, popup, full), "Tray menu", "menu_full.png",
                   "Tray menu with every feature offered, display devices open, LCD panel and CRT monitor marked");
    DestroyMenu(menu);

    // In dual application: the swap items and the item that ends it.
    menu = LoadMenuA(context.resources, MAKEINTRESOURCEA(IDM_TRAY));
    popup = GetSubMenu(menu, 0);
    p = 1;
    InsertSeparator(popup, p);
    InsertItem(popup, p, ID_TRAY_SWAP_APP_WINDOWS, context.Text(IDS_TRAY_SWAP_APP_WINDOWS));
    InsertItem(popup, p, ID_TRAY_SWAP_APP_DISPLAYS, context.Text(IDS_TRAY_SWAP_APP_DISPLAYS));
    InsertSeparator(popup, p);
    InsertItem(popup, p, ID_TRAY_NORMAL_STATE, context.Text(IDS_TRAY_NORMAL_FROM_DUALAPP));
    DeleteDeviceChoices(popup);
    Capture dualApp = { context.outputDir + "menu_dualapp.png", 0 };
    context.Record(Track(owner, popup, dualApp), "Tray menu", "menu_dualapp.png",
                   "Tray menu in dual application: no display switching, the swap items and the way back");
    DestroyMenu(menu);

    // While a page of the extension is open: the fixed items only.
    menu = LoadMenuA(context.resources, MAKEINTRESOURCEA(IDM_TRAY));
    popup = GetSubMenu(menu, 0);
    DeleteDeviceChoices(popup);
    Capture fixed = { context.outputDir + "menu_fixed.png", 0 };
    context.Record(Track(owner, popup, fixed), "Tray menu", "menu_fixed.png",
                   "Tray menu while a VQX page is open: the fixed items only");
    DestroyMenu(menu);

    DestroyWindow(owner);
}

}  // namespace gallery
