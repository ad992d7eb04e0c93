// The floor of the Display Properties benchmark: a control panel applet
// whose sheet has two pages that show one line of text each, run by the
// same command as desk.cpl.  What it costs is the system's share of
// bringing up a sheet: the process, the applet's load and the sheet itself.
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>

#include "plain_sheet_resource.h"

namespace {

HINSTANCE g_instance = nullptr;

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void ShowSheet(HWND owner)
{
    PROPSHEETPAGEA pages[2] = {};
    HPROPSHEETPAGE handles[2] = {};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].hInstance = g_instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(IDD_PLAIN_PAGE);
        pages[i].pfnDlgProc = PageProc;
        handles[i] = CreatePropertySheetPageA(&pages[i]);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = g_instance;
    header.pszCaption = kPlainSheetCaption;
    header.nPages = 2;
    header.phpage = handles;
    PropertySheetA(&header);
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_instance = instance;
    return TRUE;
}

extern "C" LONG APIENTRY CPlApplet(HWND owner, UINT message, LPARAM, LPARAM lParam2)
{
    switch (message) {
    case CPL_INIT:
        return TRUE;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        auto* info = reinterpret_cast<CPLINFO*>(lParam2);
        info->idIcon = CPL_DYNAMIC_RES;
        info->idName = CPL_DYNAMIC_RES;
        info->idInfo = CPL_DYNAMIC_RES;
        info->lData = 0;
        return 0;
    }
    case CPL_DBLCLK:
        ShowSheet(owner);
        return 0;
    default:
        return 0;
    }
}
