// The menu probe (tray_menu_probe.dll): reads a popup menu inside the
// process that tracks it, for tests in another process.  Wine keeps menus
// per process, so a menu handle of another process cannot be read from the
// test itself.
//
// The test installs MenuProbeHook as a WH_CALLWNDPROC hook on the thread of
// the menu's owner window.  At the first WM_INITMENUPOPUP of a menu session
// (the one after WM_ENTERMENULOOP, that is the top popup) the probe
//   1. sends the items of that popup and of its submenus to the receiver
//      (kProbeItemsReport);
//   2. starts a thread timer; the menu loop dispatches it once the popup is
//      on the screen, and then the probe sends the popup window's rectangle
//      (kProbeShownReport) and ends the menu with EndMenu.
// The receiver is the top-level window of class kProbeReceiverClass in the
// test's process; reports arrive as WM_COPYDATA with dwData the report's
// kind.  Without a receiver (no test is listening) the probe does nothing,
// so a hook left behind by a test that died leaves menus alone.
#pragma once

#include <windows.h>

constexpr char kProbeDllName[] = "tray_menu_probe.dll";
constexpr char kProbeHookName[] = "MenuProbeHook";
constexpr char kProbeReceiverClass[] = "VQXMenuProbeReceiver";

enum ProbeReport : ULONG_PTR {
    // One line per item, depth first (a submenu's items follow the item that
    // opens it, one level deeper):
    //   <depth> TAB <command id> TAB <flags> TAB <text> LF
    // flags are kProbeFlag* letters, or "-" for none; text is empty for
    // separators.
    kProbeItemsReport = 1,
    // "<left> <top> <right> <bottom>" of the visible popup window (#32768),
    // or "" when none was visible.
    kProbeShownReport = 2,
};

constexpr char kProbeFlagSeparator = 'S';
constexpr char kProbeFlagRadio = 'R';      // MFT_RADIOCHECK
constexpr char kProbeFlagChecked = 'C';    // MFS_CHECKED
constexpr char kProbeFlagGrayed = 'G';     // MFS_GRAYED or MFS_DISABLED
constexpr char kProbeFlagDefault = 'D';    // MFS_DEFAULT
constexpr char kProbeFlagSubmenu = 'P';    // opens a submenu
constexpr char kProbeNoFlags = '-';

// The popup-menu window (#32768) that thread `threadId` shows; null when it
// shows none.  The probe reports its rectangle, the test waits for it to go.
inline HWND FindVisiblePopupWindow(DWORD threadId)
{
    struct Search {
        static BOOL CALLBACK Visit(HWND window, LPARAM found)
        {
            char name[16] = "";
            GetClassNameA(window, name, sizeof(name));
            if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
    };
    HWND popup = nullptr;
    EnumThreadWindows(threadId, Search::Visit, reinterpret_cast<LPARAM>(&popup));
    return popup;
}
