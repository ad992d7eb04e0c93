#include "menu_capture.h"

#include "handles.h"
#include "message_pump.h"
#include "os_service.h"
#include "resource_ids.h"
#include "screenshot.h"
#include "shared_records.h"
#include "tray_menu.h"
#include "window_driving.h"

#include <string>

namespace gallery {

namespace {

// One picture: the display state the popup is built for.
struct PopupSample {
    const char* file;
    const char* caption;
    DisplayMode mode;
    RotationCode rotation;
    bool pagesOpen;     // a page of the Display Properties is open
    bool openDevices;   // the "Display Devices" submenu is opened for the picture
};

constexpr PopupSample kPopupSamples[] = {
    { "menu_full.png", "Tray menu with every feature offered, display devices open, LCD panel and CRT monitor marked",
      kModeSingle, kRotationNone, false, true },
    { "menu_rotated.png", "Tray menu on a display rotated by 90 degrees: every angle and the way back",
      kModeSingle, kRotation90, false, false },
    { "menu_dualapp.png", "Tray menu in dual application: no display switching, the swap items and the way back",
      kModeDualApp, kRotationNone, false, false },
    { "menu_fixed.png", "Tray menu while a VQX page is open: the fixed items only",
      kModeSingle, kRotationNone, true, false },
};

// Every feature switched on, on Windows XP.
HardwareHeader EveryFeature(bool pagesOpen)
{
    HardwareHeader header = {};
    header.adapterCount = 1;
    header.osClass = kOSWinXPServicePack;
    header.pagesOpen = pagesOpen;
    for (int32_t* feature : { &header.enableCrt, &header.enableTv, &header.enableSecondaryPanel, &header.enableReduceOn,
                              &header.enableRotation, &header.enableDualApp, &header.enableDualView,
                              &header.enableRt90, &header.enableRt180, &header.enableRt270 })
        *feature = 1;
    return header;
}

// The primary display with the LCD panel and the CRT monitor active.
DisplayRecord SampleDisplay(const PopupSample& sample)
{
    DisplayRecord display = {};
    lstrcpynA(display.deviceName, "\\\\.\\DISPLAY1", sizeof(display.deviceName));
    display.deviceMask = kOutputLcd | kOutputCrt;
    display.rotation = sample.rotation;
    display.mode = sample.mode;
    display.primary = 1;
    display.width = 1024;
    display.height = 768;
    return display;
}

// Down presses that reach "Display Devices" from nothing selected: the
// first press only activates the menu under Wine, then one press per item
// that is not a separator.
int DownsToDeviceSubmenu(HMENU popup)
{
    int downs = 1;
    for (int i = 0, count = GetMenuItemCount(popup); i < count; ++i) {
        if (!(GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR))
            ++downs;
        if (GetSubMenu(popup, i))
            break;
    }
    return downs;
}

struct Capture {
    std::string path;
    int downs;  // Down presses before Right opens the submenu; 0 leaves it shut
    bool saved = false;
};

// Runs while the menu is tracked: opens the submenu if asked, photographs
// every menu window together, then ends the menu.
DWORD WINAPI Photographer(void* parameter)
{
    Capture& capture = *static_cast<Capture*>(parameter);
    Sleep(400);
    if (capture.downs) {
        for (int i = 0; i < capture.downs; ++i)
            PressKey(VK_DOWN);
        PressKey(VK_RIGHT);
        Sleep(400);
    }
    RECT all = ShownWindowsRect(GetCurrentProcessId(), kMenuWindowClass);
    InflateRect(&all, 2, 2);
    capture.saved = !IsRectEmpty(&all) && testsupport::SaveRectPng(all, capture.path);
    EndMenu();
    return 0;
}

bool Track(HWND owner, HMENU popup, Capture& capture)
{
    const CHandle thread(CreateThread(nullptr, 0, Photographer, &capture, 0, nullptr));
    if (!thread)
        return false;
    SetForegroundWindow(owner);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, 200, 150, 0, owner, nullptr);
    WaitForSingleObject(thread, 10000);
    PostMessageA(owner, WM_NULL, 0, 0);
    testsupport::PumpMessages(200);
    return capture.saved;
}

}  // namespace

void CaptureTrayMenu(Context& context)
{
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "VQX Control Panel", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1,
                                 nullptr, nullptr, nullptr, nullptr);
    for (const PopupSample& sample : kPopupSamples) {
        const CMenuHandle menu(LoadMenuA(context.resources, MAKEINTRESOURCEA(IDM_TRAY)));
        HMENU popup = GetSubMenu(menu, 0);
        tray::BuildPopup(popup, EveryFeature(sample.pagesOpen), SampleDisplay(sample));
        Capture capture = { context.outputDir + sample.file, sample.openDevices ? DownsToDeviceSubmenu(popup) : 0 };
        context.Record(Track(owner, popup, capture), "Tray menu", sample.file, sample.caption);
    }
    DestroyWindow(owner);
}

}  // namespace gallery
