// desk.cpl: a stand-in Display control panel for systems without one.  The
// control panel (or rundll32 shell32.dll,Control_RunDLL desk.cpl) loads it
// and talks to it through CPlApplet; its one applet, "Display", shows the
// Display Properties sheet with the pages of the registered extensions.
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>

#include <string>

#include "text.h"
#include "desk_resource.h"
#include "display_properties.h"
#include "exception.h"
#include "primary_display_device.h"

namespace {

HINSTANCE g_module = nullptr;

// The sheet for the device named in the start parameters ("" or none: the
// primary display device).
void ShowSheet(HWND owner, std::wstring deviceName)
{
    if (deviceName.empty())
        deviceName = WidenAnsi(displaypanel::PrimaryDisplayDeviceName());
    displaypanel::ShowDisplayProperties(owner, deviceName);
}

LONG FillInquiry(CPLINFO& info)
{
    info.idIcon = IDI_DISPLAY_APPLET;
    info.idName = IDS_APPLET_NAME;
    info.idInfo = IDS_APPLET_INFO;
    info.lData = 0;
    return 0;
}

// The ANSI record, which every control panel reads (it tells the two
// layouts apart by dwSize, and the ANSI one is the smaller).
LONG FillNewInquiry(NEWCPLINFOA& info)
{
    info = {};
    info.dwSize = sizeof(info);
    info.hIcon = LoadIconA(g_module, MAKEINTRESOURCEA(IDI_DISPLAY_APPLET));
    LoadStringA(g_module, IDS_APPLET_NAME, info.szName, sizeof(info.szName));
    LoadStringA(g_module, IDS_APPLET_INFO, info.szInfo, sizeof(info.szInfo));
    return 0;
}

LONG Dispatch(HWND owner, UINT message, LPARAM lParam2)
{
    switch (message) {
    case CPL_INIT: {
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
        InitCommonControlsEx(&controls);
        return TRUE;
    }
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE:
        return FillInquiry(*reinterpret_cast<CPLINFO*>(lParam2));
    case CPL_NEWINQUIRE:
        return FillNewInquiry(*reinterpret_cast<NEWCPLINFOA*>(lParam2));
    case CPL_STARTWPARMSA: {
        const char* parameters = reinterpret_cast<const char*>(lParam2);
        ShowSheet(owner, WidenAnsi(parameters ? parameters : ""));
        return TRUE;  // handled: no CPL_DBLCLK follows
    }
    case CPL_STARTWPARMSW: {
        const wchar_t* parameters = reinterpret_cast<const wchar_t*>(lParam2);
        ShowSheet(owner, parameters ? parameters : L"");
        return TRUE;
    }
    case CPL_DBLCLK:
        ShowSheet(owner, L"");
        return 0;
    case CPL_STOP:
    case CPL_EXIT:
        return 0;
    default:
        return 0;
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

// Nothing may escape into the control panel: an exception ends the request
// as a failure.
extern "C" LONG APIENTRY CPlApplet(HWND owner, UINT message, LPARAM, LPARAM lParam2)
{
    try {
        return Dispatch(owner, message, lParam2);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return message == CPL_INIT ? FALSE : 0;
}
